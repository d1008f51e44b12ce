#pragma once

#include <QImage>
#include <QPixmap>

namespace zelmar::qt {

// The wiring diagram at the screen's device pixel ratio, as the window shows it.
[[nodiscard]] QPixmap ShippedDiagram(qreal device_pixel_ratio);

// The program's icon, 48 × 48 with 256 colours and a transparent background.
[[nodiscard]] QImage ShippedIcon();

}  // namespace zelmar::qt
