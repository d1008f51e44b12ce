#include "zelmar/qt/shipped_artwork.hpp"

#include <QPixmap>
#include <QResource>

#include "zelmar/window/control_table.hpp"

namespace zelmar::qt {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

// The pictures are drawn at build time and shipped inside the program as
// bare pixels: drawing them at start-up would load a font and render text,
// and decoding an image file would load Qt's image plugins, all before the
// window can appear. A picture missing from the program is a fault of its
// build, which the artwork tests catch: the window then shows none.
QByteArrayView Shipped(const QString& name) {
  const QResource resource(name);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return {};
  return {resource.data(), resource.size()};
}

}  // namespace

QPixmap ShippedDiagram(qreal device_pixel_ratio) {
  // Shipped at 1x and 2x; any other ratio scales the 2x pixels, as Windows
  // does, rather than draw the picture anew.
  const bool single = device_pixel_ratio == 1.0;
  const QSize shipped = QSize(kDiagramWidth, kDiagramHeight) * (single ? 1 : 2);
  const QByteArrayView pixels =
      Shipped(single ? QStringLiteral(":/zelmar/diagram.raw") : QStringLiteral(":/zelmar/diagram@2x.raw"));
  if (pixels.size() != static_cast<qsizetype>(shipped.width()) * shipped.height() * 4) return {};
  QImage image(reinterpret_cast<const uchar*>(pixels.data()), shipped.width(), shipped.height(),
               static_cast<qsizetype>(shipped.width()) * 4, QImage::Format_RGB32);
  if (!single && device_pixel_ratio != 2.0) {
    image = image.scaled(QSize(kDiagramWidth, kDiagramHeight) * device_pixel_ratio, Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
  }
  image.setDevicePixelRatio(device_pixel_ratio);
  return QPixmap::fromImage(image);
}

QImage ShippedIcon() {
  static const QImage icon = [] {
    const QByteArrayView bytes = Shipped(QStringLiteral(":/zelmar/icon.raw"));
    constexpr qsizetype kPalette = 256 * sizeof(QRgb);
    if (bytes.size() != kPalette + static_cast<qsizetype>(kIconPixels) * kIconPixels) return QImage();
    const auto* palette = reinterpret_cast<const QRgb*>(bytes.data());
    QImage image(reinterpret_cast<const uchar*>(bytes.data() + kPalette), kIconPixels, kIconPixels,
                 kIconPixels, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(palette, palette + 256));
    return image.copy();
  }();
  return icon;
}

}  // namespace zelmar::qt
