#pragma once

#include <QObject>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "zelmar/form.hpp"
#include "zelmar/window_port.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelmar::qt {

class CaptionLabel;

// The program's one window. It builds its controls from the control table,
// hands every change of a box's text to Form::EntryChanged and every press
// of the button to Form::Calculate, and carries out the form's requests on
// its controls. It has no logic of its own.
class MainWindow final : public QWidget, public WindowPort {
  Q_OBJECT

 public:
  // How a failure reaches the user; by default a modal message. Tests put
  // their own in its place.
  using FailureReporter = std::function<void(QWidget& window, Failure kind)>;

  explicit MainWindow(DecimalSeparator separator, QWidget* parent = nullptr);

  void SetFailureReporter(FailureReporter reporter) { report_failure_ = std::move(reporter); }

  // WindowPort
  std::string ReadEntryText(Entry entry) override;
  void WriteEntryText(Entry entry, std::string_view text) override;
  void WriteResultCaption(ResultLabel label, std::string_view text) override;
  void FocusEntry(Entry entry) override;
  void FocusCalculateButton() override;
  void ResultsShown(const ResultTexts& captions) override;
  void ReportFailure(Failure kind) override;

  // Shows the failure's wording in a modal message captioned "Zelmar".
  static void ShowFailureMessage(QWidget& window, Failure kind);

 private:
  Form form_;
  // The receiver of the controls' notifications. Not a widget, so that
  // screen readers are not told that the controls "control" the window.
  QObject notifications_;
  std::array<QLineEdit*, 4> boxes_{};
  std::array<CaptionLabel*, 3> results_{};
  QPushButton* calculate_ = nullptr;
  QWidget* announcer_ = nullptr;  // carries the results to screen readers
  FailureReporter report_failure_ = &MainWindow::ShowFailureMessage;
};

}  // namespace zelmar::qt
