// Draws the program's pictures into files, at build time: the wiring diagram
// and the icon that the window ships, and the icon files of the desktop
// entry and the Windows executable.
//
//   zelmar-artwork diagram OUT.png|OUT.raw [SCALE]
//   zelmar-artwork icon OUT.png|OUT.ico|OUT.raw [SIZE]   48 (the program's own icon) unless SIZE
//
// A .raw file holds the pixels as the window takes them, with no header
// (see shipped_artwork.cpp).
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "artwork.hpp"
#include "icon_file.hpp"

using namespace zelmar::tools;

namespace {

bool Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication application(argc, argv);
  const QStringList args = QGuiApplication::arguments().mid(1);
  if (args.size() >= 2 && args[0] == QLatin1String("diagram")) {
    const qreal scale = args.size() >= 3 ? args[2].toDouble() : 1.0;
    const QImage diagram = WiringDiagram(scale).toImage().convertToFormat(QImage::Format_RGB32);
    if (args[1].endsWith(QLatin1String(".raw"))) return Write(args[1], RawPixels(diagram)) ? 0 : 1;
    return diagram.save(args[1]) ? 0 : 1;
  }
  if (args.size() >= 2 && args[0] == QLatin1String("icon")) {
    const int size = args.size() >= 3 ? args[2].toInt() : kIconSize.width();
    const QImage icon = size == kIconSize.width() ? ProgramIcon() : ProgramIconArt(size);
    if (args[1].endsWith(QLatin1String(".ico"))) return Write(args[1], IcoFile(icon)) ? 0 : 1;
    if (args[1].endsWith(QLatin1String(".raw"))) return Write(args[1], RawPixels(icon)) ? 0 : 1;
    return icon.save(args[1]) ? 0 : 1;
  }
  (void)std::fputs("usage: zelmar-artwork diagram OUT.png [SCALE] | icon OUT.png|OUT.ico [SIZE]\n", stderr);
  return 2;
}
