#include "shipped_artwork.hpp"

#include <QPixmap>
#include <QResource>

#include "artwork.hpp"

namespace zelmar::qt {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

// The pictures are drawn at build time and shipped inside the program as
// bare pixels: drawing them at start-up would load a font and render text,
// and decoding an image file would load Qt's image plugins, all before the
// window can appear.
QByteArrayView Shipped(const QString& name) {
  const QResource resource(name);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return {};
  return {resource.data(), resource.size()};
}

}  // namespace

QPixmap ShippedDiagram(qreal device_pixel_ratio) {
  // A ratio other than 1 or 2 still gets a crisp picture, drawn for it.
  if (device_pixel_ratio != 1.0 && device_pixel_ratio != 2.0) return tools::WiringDiagram(device_pixel_ratio);
  const QSize size = tools::kDiagramSize * device_pixel_ratio;
  const QByteArrayView pixels =
      Shipped(device_pixel_ratio == 1.0 ? QStringLiteral(":/zelmar/diagram.raw")
                                        : QStringLiteral(":/zelmar/diagram@2x.raw"));
  if (pixels.size() != static_cast<qsizetype>(size.width()) * size.height() * 4) {
    return tools::WiringDiagram(device_pixel_ratio);
  }
  const qsizetype row_bytes = static_cast<qsizetype>(size.width()) * 4;
  QImage image(reinterpret_cast<const uchar*>(pixels.data()), size.width(), size.height(), row_bytes,
               QImage::Format_RGB32);
  image.setDevicePixelRatio(device_pixel_ratio);
  return QPixmap::fromImage(image);
}

QImage ShippedIcon() {
  static const QImage icon = [] {
    const QByteArrayView bytes = Shipped(QStringLiteral(":/zelmar/icon.raw"));
    constexpr qsizetype kPalette = 256 * sizeof(QRgb);
    if (bytes.size() !=
        kPalette + static_cast<qsizetype>(tools::kIconSize.width()) * tools::kIconSize.height()) {
      return tools::ProgramIcon();
    }
    const auto* palette = reinterpret_cast<const QRgb*>(bytes.data());
    QImage image(reinterpret_cast<const uchar*>(bytes.data() + kPalette), tools::kIconSize.width(),
                 tools::kIconSize.height(), tools::kIconSize.width(), QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(palette, palette + 256));
    return image.copy();
  }();
  return icon;
}

}  // namespace zelmar::qt
