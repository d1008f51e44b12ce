#include <QApplication>
#include <QLocale>

#include "main_window.hpp"
#include "version.hpp"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zelmar"));
  QApplication::setApplicationVersion(QString::fromUtf8(zelmar::kVersion));

  const QString point = QLocale::system().decimalPoint();
  zelmar::ui::MainWindow window(zelmar::DecimalSeparator::FromUtf8(point.toStdString()));
  window.show();
  return QApplication::exec();
}
