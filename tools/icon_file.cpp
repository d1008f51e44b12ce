#include "icon_file.hpp"

#include <QtEndian>
#include <cstdint>

namespace zelmar::tools {
namespace {

void Put16(QByteArray& out, std::uint16_t value) {
  const auto le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&le), sizeof le);
}
void Put32(QByteArray& out, std::uint32_t value) {
  const auto le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// Rows of a Windows bitmap are padded to four bytes.
constexpr int RowBytes(int bits) { return ((bits + 31) / 32) * 4; }

}  // namespace

QByteArray IcoFile(const QImage& indexed) {
  Q_ASSERT(indexed.format() == QImage::Format_Indexed8);
  const int width = indexed.width();
  const int height = indexed.height();
  constexpr int kColours = 256;
  constexpr std::uint32_t kHeaderSize = 40;
  const int xor_row = RowBytes(width * 8);
  const int and_row = RowBytes(width);
  const auto image_size =
      static_cast<std::uint32_t>(kHeaderSize + kColours * 4 + (xor_row + and_row) * height);

  QByteArray out;
  // ICONDIR and its one entry.
  Put16(out, 0);
  Put16(out, 1);  // an icon
  Put16(out, 1);  // one image
  out.append(static_cast<char>(width == 256 ? 0 : width));
  out.append(static_cast<char>(height == 256 ? 0 : height));
  out.append(static_cast<char>(0));  // 256 colours
  out.append(static_cast<char>(0));
  Put16(out, 1);  // planes
  Put16(out, 8);  // bits a pixel
  Put32(out, image_size);
  Put32(out, 6 + 16);  // offset of the image

  // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
  Put32(out, kHeaderSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height * 2));
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>((xor_row + and_row) * height));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, kColours);
  Put32(out, 0);

  // Palette, as blue, green, red, reserved.
  const QList<QRgb> table = indexed.colorTable();
  for (int i = 0; i < kColours; ++i) {
    const QRgb colour = i < table.size() ? table[i] : 0;
    out.append(static_cast<char>(qBlue(colour)));
    out.append(static_cast<char>(qGreen(colour)));
    out.append(static_cast<char>(qRed(colour)));
    out.append(static_cast<char>(0));
  }
  // Colour indices, bottom row first; transparent pixels are black under
  // the mask.
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(xor_row, '\0');
    for (int x = 0; x < width; ++x) {
      const int index = indexed.pixelIndex(x, y);
      row[x] = static_cast<char>(qAlpha(table.value(index)) == 0 ? 0 : index);
    }
    out.append(row);
  }
  // The mask: a set bit leaves the screen showing through.
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(and_row, '\0');
    for (int x = 0; x < width; ++x) {
      if (qAlpha(table.value(indexed.pixelIndex(x, y))) == 0) {
        row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
      }
    }
    out.append(row);
  }
  return out;
}

}  // namespace zelmar::tools
