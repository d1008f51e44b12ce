// Floor for any Qt 6 Widgets program: one window ("bareqt") of Zelmar's
// size, as the Windows floor is, since filling and showing a larger window
// takes longer; with a QLineEdit (which has the focus) and a QPushButton,
// fixed geometry so that the harness knows where to click: line edit at
// (10,10,200,30), button at (10,50,100,30).  A click writes a counter into
// the line edit.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "zelmar/window/placement.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget w;
  w.setWindowTitle("bareqt");
  const zelmar::window::PixelRect size = zelmar::window::ClientArea(96);
  w.resize(size.width, size.height);
  auto* edit = new QLineEdit("2", &w);
  edit->setGeometry(10, 10, 200, 30);
  auto* button = new QPushButton("&Calcola", &w);
  button->setGeometry(10, 50, 100, 30);
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { edit->setText(QString::number(++clicks)); });
  edit->setFocus();
  w.show();
  return app.exec();
}
