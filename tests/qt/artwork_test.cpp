#include "artwork.hpp"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <set>

#include "icon_file.hpp"
#include "zelmar/qt/shipped_artwork.hpp"

namespace zelmar::qt {

// The drawing code of the build's tools, and the pixels the program ships.
using namespace zelmar::tools;
namespace {

struct Pixel {
  const char* what;
  int x;
  int y;
  QRgb colour;
};

constexpr QRgb kWhite = qRgb(255, 255, 255);

TEST(WiringDiagram, ShowsRailsGroupsAndBackgroundWhereTheyBelong) {
  const Pixel pixels[] = {
      {"background, top left", 1, 1, kWhite},
      {"background, bottom right", 226, 152, kWhite},
      {"upper rail", 60, 13, kWireColour},
      {"upper rail, second row", 60, 14, kWireColour},
      {"above the upper rail", 60, 12, kWhite},
      {"below the upper rail", 60, 15, kWhite},
      {"lower rail", 60, 147, kWireColour},
      {"lower rail, second row", 60, 148, kWireColour},
      {"rail dash", 142, 13, kWireColour},
      {"rail gap", 148, 13, kWhite},
      {"first group wire", 29, 45, kWireColour},
      {"first group wire, second column", 30, 45, kWireColour},
      {"beside the first group wire", 31, 45, kWhite},
      {"fourth group wire", 183, 45, kWireColour},
      {"inside a magnet", 30, 34, kWhite},
  };
  // As the program ships them, drawn at build time.
  for (const qreal ratio : {1.0, 2.0}) {
    const QImage image = ShippedDiagram(ratio).toImage();
    ASSERT_EQ(image.size(), kDiagramSize * ratio);
    EXPECT_EQ(image.deviceIndependentSize(), QSizeF(kDiagramSize));
    for (const auto& p : pixels) {
      const auto x = static_cast<int>(p.x * ratio);
      const auto y = static_cast<int>(p.y * ratio);
      EXPECT_EQ(image.pixel(x, y) & 0xFFFFFFU, p.colour & 0xFFFFFFU) << p.what << " at " << ratio;
    }
  }
}

// A screen between the two scales the 2x pixels to its own ratio.
TEST(WiringDiagram, AtAnotherRatioIsTheDensePictureScaled) {
  const QImage image = ShippedDiagram(1.5).toImage();
  ASSERT_EQ(image.size(), kDiagramSize * 1.5);
  EXPECT_EQ(image.deviceIndependentSize().toSize(), kDiagramSize);
  EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFFU, kWhite & 0xFFFFFFU);
  const QRgb rail = image.pixel(90, 20);  // the upper rail, rows 13 and 14 at 1x
  EXPECT_GT(qBlue(rail), qRed(rail) + 40);
}

TEST(WiringDiagram, LetteringIsBlack) {
  const QImage image = ShippedDiagram(1.0).toImage();
  // "Gruppi" stands at about x 88 to 123, rows 3 to 11.
  int dark = 0;
  for (int y = 2; y <= 11; ++y) {
    for (int x = 88; x <= 123; ++x) dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
  }
  EXPECT_GT(dark, 20);
}

TEST(ProgramIcon, Is48By48With256ColoursAndTransparency) {
  const QImage icon = ShippedIcon();
  EXPECT_EQ(icon.size(), QSize(48, 48));
  EXPECT_EQ(icon.format(), QImage::Format_Indexed8);
  EXPECT_LE(icon.colorCount(), 256);
  EXPECT_TRUE(icon.hasAlphaChannel());
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
  std::set<int> alphas;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) alphas.insert(qAlpha(icon.pixel(x, y)));
  }
  EXPECT_EQ(alphas, (std::set<int>{0, 255}));  // a mask, no half-transparent pixels
}

TEST(IcoFile, HoldsOne48By48ImageOf256ColoursWithAMask) {
  const QImage icon = ProgramIcon();
  const QByteArray ico = IcoFile(icon);
  ASSERT_GE(ico.size(), 22);
  const auto* bytes = reinterpret_cast<const uchar*>(ico.constData());
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 2), 1);  // an icon
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 4), 1);  // one image
  EXPECT_EQ(bytes[6], 48);
  EXPECT_EQ(bytes[7], 48);
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 12), 8);  // bits a pixel
  EXPECT_EQ(qFromLittleEndian<quint32>(bytes + 14), static_cast<quint32>(ico.size() - 22));

  // Qt's reader gives back the same picture, transparency included.
  QBuffer buffer;
  buffer.setData(ico);
  QImageReader reader(&buffer, "ico");
  const QImage read = reader.read().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(read.size(), QSize(48, 48));
  const QImage original = icon.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const QRgb a = original.pixel(x, y);
      const QRgb b = read.pixel(x, y);
      ASSERT_EQ(qAlpha(a), qAlpha(b)) << x << "," << y;
      if (qAlpha(a) != 0) {
        ASSERT_EQ(a, b) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace zelmar::qt
