#include "startup.hpp"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

#include "version.hpp"
#include "zelmar/qt/design_font.hpp"
#include "zelmar/qt/shipped_artwork.hpp"

namespace zelmar::app {

DecimalSeparator SeparatorOf(const QLocale& locale) {
  return DecimalSeparator::FromUtf8(locale.decimalPoint().toStdString());
}

void Configure() {
  QApplication::setApplicationName(QString::fromUtf8(kApplicationName));
  QApplication::setApplicationVersion(QString::fromUtf8(kVersion));
  // Ties the window to its desktop entry (Wayland app id, task bars).
  QGuiApplication::setDesktopFileName(QString::fromUtf8(kApplicationId));
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(qt::ShippedIcon())));
  const QScreen* screen = QGuiApplication::primaryScreen();
  QApplication::setFont(
      qt::DesignFont(window::kApplicationFont, screen != nullptr ? screen->logicalDotsPerInchY() : 96.0));
  // Closing the one window ends the program.
  QApplication::setQuitOnLastWindowClosed(true);
}

std::unique_ptr<qt::MainWindow> OpenMainWindow() {
  auto window = std::make_unique<qt::MainWindow>(SeparatorOf(QLocale::system()));
  window->show();
  return window;
}

}  // namespace zelmar::app
