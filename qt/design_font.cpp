#include "design_font.hpp"

#include "zelmar/window/placement.hpp"

namespace zelmar::qt {

// The window's description, which this front end reads.
using namespace zelmar::window;

QFont DesignFont(const FontSpec& wanted, double dpi) {
  QFont font(QString::fromUtf8(kFontFamily.data(), static_cast<qsizetype>(kFontFamily.size())));
  font.setPixelSize(FontPixels(wanted, dpi));
  font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace zelmar::qt
