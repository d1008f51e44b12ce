#pragma once

#include <QByteArray>
#include <QImage>

namespace zelmar::tools {

// The icon as a Windows .ico file: one image, 8 bits a pixel with its
// 256-colour palette and a 1-bit transparency mask, as the executable's
// icon resource wants it. Qt's own writer stores 32 bits a pixel.
// The image must be Format_Indexed8, at most 256 pixels square.
[[nodiscard]] QByteArray IcoFile(const QImage& indexed);

}  // namespace zelmar::tools
