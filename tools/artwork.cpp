#include "artwork.hpp"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace zelmar::tools {

// The window's description, which this front end reads.
using namespace zelmar::window;
namespace {

// Diagram geometry, in pixels of the picture.
constexpr int kUpperRail = 13;   // rows 13 and 14
constexpr int kLowerRail = 147;  // rows 147 and 148
constexpr int kRailStart = 14;
constexpr int kRailEnd = 185;  // the last group's wire included
constexpr int kDashedFrom = 142;
constexpr int kDash = 5;
constexpr int kDashPeriod = 9;
constexpr int kWireWidth = 2;
constexpr std::array<int, 4> kGroupX{29, 81, 132, 183};
constexpr std::array<int, 4> kSpeakerTop{21, 53, 86, 118};
constexpr QSizeF kMagnet{8, 11};
constexpr qreal kConeLength = 8;
constexpr qreal kConeMouth = 26;
constexpr std::array<const char*, 4> kPositions{"1", "2", "3", "n"};

QFont Lettering() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(8);  // capitals about 6 pixels high
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void HorizontalWire(QPainter& painter, int row, int from, int to, bool dashed) {
  if (!dashed) {
    painter.fillRect(QRect(from, row, to - from, kWireWidth), QColor::fromRgb(kWireColour));
    return;
  }
  for (int x = from; x < to; x += kDashPeriod) {
    painter.fillRect(QRect(x, row, std::min(kDash, to - x), kWireWidth), QColor::fromRgb(kWireColour));
  }
}

void VerticalWire(QPainter& painter, int column, int from, int to, bool dashed) {
  if (!dashed) {
    painter.fillRect(QRect(column, from, kWireWidth, to - from), QColor::fromRgb(kWireColour));
    return;
  }
  for (int y = from; y < to; y += kDashPeriod) {
    painter.fillRect(QRect(column, y, kWireWidth, std::min(kDash, to - y)), QColor::fromRgb(kWireColour));
  }
}

// An input terminal: a small open circle, its lead to the rail, and "IN".
void Terminal(QPainter& painter, int rail_row, int lettering_top) {
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(6, rail_row - 0.5, 3, 3));
  painter.drawLine(QLineF(10, rail_row + 1, kRailStart, rail_row + 1));
  // Capitals about 5 pixels high, resting on the row above the circle.
  painter.drawText(QPointF(4, lettering_top + 5), QStringLiteral("IN"));
}

// A loudspeaker: the magnet, a small rectangle on the wire, with the cone
// opening to the right.
void Speaker(QPainter& painter, int wire_x, int top, const QString& label) {
  const qreal centre = wire_x + kWireWidth / 2.0;
  const QRectF magnet(centre - kMagnet.width() / 2, top + (kConeMouth - kMagnet.height()) / 2,
                      kMagnet.width(), kMagnet.height());
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(magnet.adjusted(0.5, 0.5, -0.5, -0.5));
  const QPolygonF cone{{magnet.right(), magnet.top()},
                       {magnet.right() + kConeLength, static_cast<qreal>(top)},
                       {magnet.right() + kConeLength, top + kConeMouth},
                       {magnet.right(), magnet.bottom()}};
  painter.drawPolygon(cone.translated(-0.5, 0));
  painter.drawText(QRectF(magnet.right() + kConeLength + 2, top + kConeMouth / 2 - 5, 30, 10),
                   Qt::AlignLeft | Qt::AlignVCenter, label);
}

}  // namespace

QPixmap WiringDiagram(qreal device_pixel_ratio) {
  QImage image(kDiagramSize * device_pixel_ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(device_pixel_ratio);
  image.fill(Qt::white);

  QPainter painter(&image);
  painter.setFont(Lettering());

  // Rails, solid and then dashed towards the groups left out.
  for (const int row : {kUpperRail, kLowerRail}) {
    HorizontalWire(painter, row, kRailStart, kDashedFrom, false);
    HorizontalWire(painter, row, kDashedFrom, kRailEnd, true);
  }
  // The groups, each a chain of speakers; the stretch before the last one
  // stands for the speakers left out.
  const qreal magnet_top = (kConeMouth - kMagnet.height()) / 2;
  for (const int x : kGroupX) {
    const int gap_from = kSpeakerTop[2] + static_cast<int>(magnet_top + kMagnet.height());
    const int gap_to = kSpeakerTop[3] + static_cast<int>(magnet_top);
    VerticalWire(painter, x, kUpperRail, gap_from, false);
    VerticalWire(painter, x, gap_from, gap_to, true);
    VerticalWire(painter, x, gap_to, kLowerRail + kWireWidth, false);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (std::size_t g = 0; g < kGroupX.size(); ++g) {
    for (std::size_t s = 0; s < kSpeakerTop.size(); ++s) {
      const QString label =
          QStringLiteral("SPK") + QLatin1String(kPositions[s]) + QLatin1String(kPositions[g]);
      Speaker(painter, kGroupX[g], kSpeakerTop[s], label);
    }
  }
  Terminal(painter, kUpperRail, 6);
  Terminal(painter, kLowerRail, 139);

  painter.setPen(Qt::black);
  painter.drawText(QRectF(88, 1, 36, 11), Qt::AlignCenter, QStringLiteral("Gruppi"));
  // "Altoparlanti" along the left edge, reading from bottom to top.
  painter.save();
  painter.translate(8, 119);
  painter.rotate(-90);
  painter.drawText(QRectF(0, 0, 71, 8), Qt::AlignCenter, QStringLiteral("Altoparlanti"));
  painter.restore();
  painter.end();
  return QPixmap::fromImage(image);
}

QImage ProgramIconArt(int size) {
  QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(size / static_cast<qreal>(kIconSize.width()), size / static_cast<qreal>(kIconSize.height()));

  // A loudspeaker, as in the diagram, with its sound going right.
  const QColor wire = QColor::fromRgb(kWireColour);
  painter.setPen(QPen(Qt::black, 2));
  painter.setBrush(QColor(230, 230, 230));
  painter.drawRect(QRectF(5, 17, 10, 14));
  painter.setBrush(QColor(255, 255, 255));
  const QPolygonF cone{{15, 17}, {27, 6}, {27, 42}, {15, 31}};
  painter.drawPolygon(cone);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(wire, 3, Qt::SolidLine, Qt::RoundCap));
  for (const int radius : {8, 14}) {
    painter.drawArc(QRectF(27 + 2 - radius, 24 - radius, 2.0 * radius, 2.0 * radius), -45 * 16, 90 * 16);
  }
  painter.end();
  return canvas;
}

QImage ProgramIcon() {
  const QImage canvas = ProgramIconArt(kIconSize.width());
  // 256 colours at most; alpha survives in the colour table, and pixels
  // that are mostly transparent become fully so, as a mask would have it.
  QImage icon = canvas.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < icon.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(icon.scanLine(y));
    for (int x = 0; x < icon.width(); ++x) {
      line[x] = qAlpha(line[x]) < 128 ? qRgba(0, 0, 0, 0) : (line[x] | 0xFF000000U);
    }
  }
  return icon.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

QByteArray RawPixels(const QImage& image) {
  QByteArray bytes;
  if (image.format() == QImage::Format_Indexed8) {
    QList<QRgb> palette = image.colorTable();
    palette.resize(256);
    bytes.append(reinterpret_cast<const char*>(palette.constData()), 256 * sizeof(QRgb));
  }
  const qsizetype row = static_cast<qsizetype>(image.width()) * image.depth() / 8;
  for (int y = 0; y < image.height(); ++y)
    bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), row);
  return bytes;
}

}  // namespace zelmar::tools
