// Renders the window to a PNG without a display, for the README and for
// looking at the design:
//
//   zelmar-snapshot window.png [GRUPPI ALTOP IMPAP DBAP]   types the figures and calculates
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "zelmar/qt/main_window.hpp"

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments().mid(1);
  if (args.size() != 1 && args.size() != 5) {
    (void)std::fputs("usage: zelmar-snapshot OUT.png [GRUPPI ALTOP IMPAP DBAP]\n", stderr);
    return 2;
  }
  zelmar::qt::MainWindow window(zelmar::DecimalSeparator::Point());
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
