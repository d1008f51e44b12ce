#pragma once

#include <QLocale>
#include <memory>

#include "zelmar/decimal_separator.hpp"
#include "zelmar/qt/main_window.hpp"

// Start-up: what the program does before its window's event loop runs.
namespace zelmar::app {

// The decimal separator of a locale, as the core takes it.
[[nodiscard]] DecimalSeparator SeparatorOf(const QLocale& locale);

// Names the application ("Zelmar", the caption of its messages), its
// version, its desktop entry and its icon. Call once the QApplication exists.
void Configure();

// Creates the window with a fresh state, in the user's locale, and shows it.
[[nodiscard]] std::unique_ptr<qt::MainWindow> OpenMainWindow();

}  // namespace zelmar::app
