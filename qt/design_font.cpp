#include "design_font.hpp"

namespace zelmar::qt {

// The window's description, which this front end reads.
using namespace zelmar::window;

QFont DesignFont(const FontSpec& wanted) {
  QFont font(QString::fromUtf8(kFontFamily.data(), static_cast<qsizetype>(kFontFamily.size())));
  font.setPointSizeF(wanted.points);
  font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace zelmar::qt
