#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zelmar/form.hpp"
#include "zelmar/win32/spoken_name.hpp"
#include "zelmar/win32/text.hpp"
#include "zelmar/window_port.hpp"

namespace zelmar::win32 {

// The program's one window on Windows' own controls. It builds its controls
// from the control table, hands every EN_CHANGE of a box to
// Form::EntryChanged and every press of the button to Form::Calculate, and
// carries out the form's requests on its controls. Keys are handled as in a
// dialog: the message loop passes each message to ProcessDialogMessage.
class MainWindow final : public WindowPort {
 public:
  // How a failure reaches the user; by default a message box. Tests put
  // their own in its place.
  using FailureReporter = std::function<void(HWND window, Failure kind)>;

  // Creates the window, hidden, with its controls at the scale of the
  // screen it opens on.
  MainWindow(HINSTANCE instance, DecimalSeparator separator);
  // Shows the window (ShowWindow's command) and paints it.
  void Show(int show_command);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  MainWindow(MainWindow&&) = delete;
  MainWindow& operator=(MainWindow&&) = delete;
  ~MainWindow() override;

  [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }
  [[nodiscard]] UINT dpi() const noexcept { return dpi_; }
  // A control by its name in the control table, or nullptr.
  [[nodiscard]] HWND Control(std::string_view name) const noexcept;
  void SetFailureReporter(FailureReporter reporter) { report_failure_ = std::move(reporter); }

  // Tab, Enter, Alt+C and the other dialog keys. True when the message was
  // handled and must not be dispatched.
  bool ProcessDialogMessage(MSG& message) noexcept;

  // WindowPort
  std::string ReadEntryText(Entry entry) override;
  void WriteEntryText(Entry entry, std::string_view text) override;
  void WriteResultCaption(ResultLabel label, std::string_view text) override;
  void FocusEntry(Entry entry) override;
  void FocusCalculateButton() override;
  void ResultsShown(const ResultTexts& captions) override;
  void ReportFailure(Failure kind) override;

  // Shows the failure's wording in a message box captioned "Zelmar".
  static void ShowFailureMessage(HWND window, Failure kind);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  // One function a message.
  LRESULT OnCreate();
  LRESULT OnCommand(int id, int code, HWND control);
  static LRESULT OnCtlColorStatic(HDC dc);
  bool OnActivate(WORD state);
  LRESULT OnDpiChanged(UINT dpi, const RECT& suggested);
  LRESULT OnNcDestroy(WPARAM wparam, LPARAM lparam);
  void CreateControls();
  void Arrange(UINT dpi);
  void ApplyFonts();
  void PlaceWindow();
  void UpdateResultTip(ResultLabel label);
  void EnsureTooltip();
  void DrawPicture(const DRAWITEMSTRUCT& item);

  Form form_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::array<HWND, 4> boxes_{};
  std::array<SpokenName, 4> spoken_boxes_{};  // each named by its caption
  std::array<HWND, 3> results_{};
  std::array<SpokenName, 3> spoken_results_{};  // what screen readers hear of each result
  SpokenName announcer_;                        // where the results are announced after a calculation
  std::vector<HWND> controls_;                  // in the order of the control table
  HWND calculate_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND focus_before_deactivation_ = nullptr;
  std::vector<HFONT> fonts_;  // one per control that has a font, at dpi_
  HBITMAP diagram_ = nullptr;
  HBITMAP diagram_2x_ = nullptr;
  HICON icon_ = nullptr;
  std::array<wchar_t, 1> empty_tip_{};  // the text of a tip with nothing to say
  FailureReporter report_failure_ = &MainWindow::ShowFailureMessage;
};

}  // namespace zelmar::win32
