#include <QApplication>

#include "startup.hpp"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  zelmar::app::Configure();
  const auto window = zelmar::app::OpenMainWindow();
  return QApplication::exec();
}
