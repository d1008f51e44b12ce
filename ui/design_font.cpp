#include "design_font.hpp"

namespace zelmar::ui {

QFont DesignFont(const FontSpec& spec) {
  QFont font(QString::fromUtf8(kFontFamily.data(), static_cast<qsizetype>(kFontFamily.size())));
  font.setPointSizeF(spec.points);
  font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace zelmar::ui
