// The real window, headless: from the input event to the end of the handler
// and the window's next paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "zelmar/qt/main_window.hpp"

namespace {

using zelmar::qt::MainWindow;

std::unique_ptr<MainWindow> OpenWindow() {
  auto window = std::make_unique<MainWindow>(zelmar::DecimalSeparator::Point());
  window->SetFailureReporter([](QWidget&, zelmar::Failure) {});
  window->show();
  (void)QTest::qWaitForWindowExposed(window.get());
  return window;
}

// Types a digit into Gruppi and takes it out again; two keystrokes an
// iteration, each painted.
void BM_WindowKeystroke(benchmark::State& state) {
  const auto window = OpenWindow();
  auto* box = window->findChild<QLineEdit*>(QStringLiteral("Gruppi"));
  box->setFocus();
  box->end(false);
  for (auto _ : state) {
    QTest::keyClick(box, Qt::Key_5);
    window->repaint();
    QTest::keyClick(box, Qt::Key_Backspace);
    window->repaint();
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 2);
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMicrosecond);

// A click on the button: the calculation and the repaint of its results.
void BM_WindowClick(benchmark::State& state) {
  const auto window = OpenWindow();
  auto* button = window->findChild<QPushButton*>(QStringLiteral("Calcola"));
  for (auto _ : state) {
    QTest::mouseClick(button, Qt::LeftButton);
    window->repaint();
  }
}
BENCHMARK(BM_WindowClick)->Unit(benchmark::kMicrosecond);

// Creating and showing the window, as start-up does.
void BM_WindowCreation(benchmark::State& state) {
  for (auto _ : state) {
    MainWindow window(zelmar::DecimalSeparator::Point());
    window.show();
    window.repaint();
  }
}
BENCHMARK(BM_WindowCreation)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
