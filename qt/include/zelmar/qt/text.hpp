#pragma once

#include <QString>
#include <string_view>

namespace zelmar::qt {

// The core's and the description's UTF-8 as Qt's text.
inline QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace zelmar::qt
