#pragma once

#include <QImage>
#include <QPixmap>

#include "zelmar/window/control_table.hpp"

namespace zelmar::tools {

// The wiring diagram, 227 × 153 logical pixels, drawn at the given device
// pixel ratio so that it stays crisp on dense screens.
inline constexpr QSize kDiagramSize{window::kDiagramWidth, window::kDiagramHeight};
[[nodiscard]] QPixmap WiringDiagram(qreal device_pixel_ratio);

// The colour of the wires in the diagram.
inline constexpr QRgb kWireColour = qRgb(110, 100, 190);

// The program's icon: 48 × 48, 8 bits a pixel with a transparent background.
inline constexpr QSize kIconSize{window::kIconPixels, window::kIconPixels};
[[nodiscard]] QImage ProgramIcon();
// The same drawing at any size in true colour, for desktops that want a
// larger icon than the program's own.
[[nodiscard]] QImage ProgramIconArt(int size);

// An image's pixels with no header, as ShippedDiagram and ShippedIcon take
// them: 32-bit pixels row by row; or, for an 8-bit image, its 256 palette
// entries as 32-bit ARGB followed by one byte a pixel.
[[nodiscard]] QByteArray RawPixels(const QImage& image);

}  // namespace zelmar::tools
