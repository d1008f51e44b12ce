#include "zelmar/qt/design_font.hpp"

#include "zelmar/qt/text.hpp"
#include "zelmar/window/placement.hpp"

namespace zelmar::qt {

// The window's description, which this front end reads.
using namespace zelmar::window;

QFont DesignFont(const FontSpec& wanted, double dpi) {
  QFont font(ToQString(kFontFamily));
  font.setPixelSize(FontPixels(wanted, dpi));
  font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace zelmar::qt
