// Renders the window, or the icon, to a PNG without a display, for the
// README and for looking at the design:
//
//   zelmar-snapshot window.png [GRUPPI ALTOP IMPAP DBAP]   types the figures and calculates
//   zelmar-snapshot --icon icon.png [SIZE]      48 (the program's own icon) unless SIZE
//   zelmar-snapshot --diagram diagram.png [SCALE]
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "artwork.hpp"
#include "icon_file.hpp"
#include "main_window.hpp"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments().mid(1);
  if (args.size() >= 2 && args[0] == QLatin1String("--icon")) {
    const int size = args.size() >= 3 ? args[2].toInt() : zelmar::ui::kIconSize.width();
    const QImage icon =
        size == zelmar::ui::kIconSize.width() ? zelmar::ui::ProgramIcon() : zelmar::ui::ProgramIconArt(size);
    if (args[1].endsWith(QLatin1String(".ico"))) {
      QFile file(args[1]);
      return file.open(QIODevice::WriteOnly) && file.write(zelmar::app::IcoFile(icon)) > 0 ? 0 : 1;
    }
    return icon.save(args[1]) ? 0 : 1;
  }
  if (args.size() >= 2 && args[0] == QLatin1String("--diagram")) {
    const qreal scale = args.size() >= 3 ? args[2].toDouble() : 1.0;
    return zelmar::ui::WiringDiagram(scale).save(args[1]) ? 0 : 1;
  }
  if (args.size() != 1 && args.size() != 5) {
    (void)std::fputs(
        "usage: zelmar-snapshot OUT.png [GRUPPI ALTOP IMPAP DBAP] | --icon OUT.png [SIZE] | --diagram "
        "OUT.png [SCALE]\n",
        stderr);
    return 2;
  }
  zelmar::ui::MainWindow window(zelmar::DecimalSeparator::Point());
  window.SetFailureReporter([](QWidget&, zelmar::Failure) {});
  window.show();
  if (args.size() == 5) {
    int i = 1;
    for (const char* name : {"Gruppi", "Altop", "ImpAp", "dBAp"}) {
      auto* box = window.findChild<QLineEdit*>(QLatin1String(name));
      box->selectAll();
      QTest::keyClicks(box, args[i++]);
    }
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Calcola")), Qt::LeftButton);
  }
  return window.grab().save(args[0]) ? 0 : 1;
}
