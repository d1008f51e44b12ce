#include "zelmar/win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>
#include <string_view>
#include <utility>

#include "zelmar/win32/resource_ids.hpp"
#include "zelmar/win32/text.hpp"
#include "zelmar/window/control_table.hpp"
#include "zelmar/window/failure_text.hpp"
#include "zelmar/window/placement.hpp"
#include "zelmar/window/speech.hpp"

namespace zelmar::win32 {
namespace {

using window::ControlKind;
using window::ControlSpec;
using window::kControls;

constexpr std::wstring_view kWindowClass = L"ZelmarMainWindow";
// Control ids: the button's is the window's default id, which the dialog
// keys (Enter) report; the others follow the control table.
constexpr int kCalculateId = IDOK;
constexpr int kFirstControlId = 100;

int ControlId(std::size_t index) noexcept {
  return kControls[index].kind == ControlKind::PushButton ? kCalculateId
                                                          : kFirstControlId + static_cast<int>(index);
}

std::size_t Index(Entry entry) noexcept { return static_cast<std::size_t>(entry); }
std::size_t Index(ResultLabel label) noexcept { return static_cast<std::size_t>(label); }

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// The frame whose client area has the window's place and size at a
// resolution.
RECT Frame(UINT dpi) {
  const window::PixelRect client = window::ClientArea(dpi);
  RECT frame{client.left, client.top, client.Right(), client.Bottom()};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, dpi);
  return frame;
}

HFONT CreateDesignFont(const window::FontSpec& font, UINT dpi) {
  LOGFONTW design{};
  design.lfHeight = -static_cast<LONG>(window::FontPixels(font, dpi));
  design.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  design.lfCharSet = ANSI_CHARSET;  // Western
  design.lfQuality = DEFAULT_QUALITY;
  const std::wstring family = Widen(window::kFontFamily);
  std::copy_n(family.c_str(), std::min<std::size_t>(family.size() + 1, LF_FACESIZE), design.lfFaceName);
  return CreateFontIndirectW(&design);
}

// A box holds one line, as the description has it: of a paste (Ctrl+V,
// Shift+Insert, the context menu) it takes the clipboard's text up to the
// first line break, as one edit that Ctrl+Z takes back. The edit control on
// its own stops at LF but would keep a lone CR.
constexpr UINT_PTR kOneLineId = 0x5a4c31;  // "ZL1"
LRESULT CALLBACK OneLineBox(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                            DWORD_PTR /*data*/) noexcept {
  if (message == WM_PASTE) {
    if ((GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY) != 0) return 0;
    std::wstring text;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE && OpenClipboard(box) != FALSE) {
      if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data)); chars != nullptr) {
          text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
          GlobalUnlock(data);
        }
      }
      CloseClipboard();
    }
    text.resize(window::FirstLineEnd(std::wstring_view(text)));
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &OneLineBox, kOneLineId);
  return DefSubclassProc(box, message, wparam, lparam);
}

// The pixels the artwork tool drew, shipped as a resource: 32-bit rows, top
// to bottom.
HBITMAP LoadDiagram(HINSTANCE instance, int resource, int scale) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resource), RT_RCDATA);
  if (found == nullptr) return nullptr;
  const DWORD size = SizeofResource(instance, found);
  const void* pixels = LockResource(LoadResource(instance, found));
  const int width = window::kDiagramWidth * scale;
  const int height = window::kDiagramHeight * scale;
  if (pixels == nullptr || size != static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) CopyMemory(bits, pixels, size);
  return bitmap;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, DecimalSeparator separator)
    : form_(*this, separator),
      diagram_(LoadDiagram(instance, kDiagramId, 1)),
      icon_(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 48, 48, 0))) {
  static const ATOM window_class = [instance] {
    WNDCLASSEXW design{};
    design.cbSize = sizeof design;
    design.lpfnWndProc = &MainWindow::WindowProcedure;
    design.hInstance = instance;
    design.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    design.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    design.lpszClassName = kWindowClass.data();
    return RegisterClassExW(&design);
  }();
  (void)window_class;

  // Made at its place for the system's resolution, and placed again only
  // when it opens on a screen of another: each move of a window on the
  // screen costs its start-up time.
  const std::wstring title = Widen(window::kWindow.title);
  const UINT system_dpi = GetDpiForSystem();
  const RECT frame = Frame(system_dpi);
  hwnd_ =
      CreateWindowExW(0, kWindowClass.data(), title.c_str(), kWindowStyle, frame.left, frame.top,
                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
  if (hwnd_ != nullptr && dpi_ != system_dpi) PlaceWindow();
}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (HFONT font : fonts_) DeleteObject(font);
  if (diagram_ != nullptr) DeleteObject(diagram_);
  if (diagram_2x_ != nullptr) DeleteObject(diagram_2x_);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

HWND MainWindow::Control(std::string_view name) const noexcept {
  const std::size_t index = window::IndexOf(name);
  return index < controls_.size() ? controls_[index] : nullptr;
}

void MainWindow::CreateControls() {
  // Each made where it goes: no second pass to move them at start-up.
  const UINT dpi = dpi_;
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  controls_.assign(kControls.size(), nullptr);
  // Windows puts each new child below the ones before it, and a dialog's
  // keys follow that order: made top first, the controls get the tab order
  // and the boxes are drawn over the labels they overlap.
  for (const std::size_t i : window::kStackingOrder) {
    const ControlSpec& design = kControls[i];
    const wchar_t* window_class = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD extended = 0;
    switch (design.kind) {
      case ControlKind::EntryBox:
        // A single-line edit control already goes the description's way
        // where the dialog's Tab selects its text; its pastes go through
        // OneLineBox.
        static_assert(window::kKeyboardFocusSelectsText);
        window_class = L"EDIT";
        style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        extended = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::PushButton:
        window_class = L"BUTTON";
        style |= WS_TABSTOP | BS_DEFPUSHBUTTON;
        break;
      case ControlKind::ResultLabel:
        // SS_NOTIFY: without it a static lets the mouse through, and the
        // tip with a cut figure's whole text would never show.
        style |= SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | SS_NOTIFY;
        break;
      case ControlKind::CaptionLabel:
        style |= (design.centred ? SS_CENTER : SS_LEFT) | SS_NOPREFIX;
        break;
      case ControlKind::Picture:
        style |= SS_OWNERDRAW;
        extended = WS_EX_CLIENTEDGE;  // the sunken border, two pixels wide
        break;
    }
    // The design-time text goes in as the control is made: no change.
    const std::wstring text = Widen(design.text);
    const window::PixelRect place = window::Place(design, dpi).painted;
    HWND control = CreateWindowExW(
        extended, window_class, text.c_str(), style, place.left, place.top, place.width, place.height, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(i))), instance, nullptr);
    controls_[i] = control;
    if (design.kind == ControlKind::EntryBox) {
      SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no limit beyond the system's
      SetWindowSubclass(control, &OneLineBox, kOneLineId, 0);
      boxes_[Index(*design.entry)] = control;
      spoken_boxes_[Index(*design.entry)].Attach(control);
      spoken_boxes_[Index(*design.entry)].SetName(Widen(window::EntryCaption(*design.entry).text));
    } else if (design.kind == ControlKind::PushButton) {
      calculate_ = control;
    } else if (design.kind == ControlKind::ResultLabel) {
      results_[Index(*design.result)] = control;
      SpokenName& spoken = spoken_results_[Index(*design.result)];
      spoken.Attach(control);
      spoken.SetName(Widen(window::ResultSpeech(*design.result, {})));
    }
  }
  // Nothing to see: a live region that carries the results to screen
  // readers. Made last, below everything.
  HWND announcer = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0,
                                   hwnd_, nullptr, instance, nullptr);
  if (announcer != nullptr) announcer_.Attach(announcer);
}

void MainWindow::EnsureTooltip() {
  // Made the first time a result is cut short, not before the window shows.
  if (tooltip_ != nullptr) return;
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             instance, nullptr);
  for (HWND result : results_) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(result);
    tool.lpszText = empty_tip_.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void MainWindow::Arrange(UINT dpi) {
  dpi_ = dpi;
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    // A static wraps and centres in its own width: a caption's run-on room
    // is only ever given where its text is aligned left.
    const window::PixelRect place = window::Place(kControls[i], dpi).painted;
    SetWindowPos(controls_[i], nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::ApplyFonts() {
  std::vector<HFONT> old_fonts = std::move(fonts_);
  fonts_.clear();
  HFONT window_font = CreateDesignFont(window::kWindowFont, dpi_);
  fonts_.push_back(window_font);
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    HFONT font = window_font;
    if (kControls[i].font) {
      font = CreateDesignFont(*kControls[i].font, dpi_);
      fonts_.push_back(font);
    }
    SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  for (HFONT font : old_fonts) DeleteObject(font);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::Show(int show_command) {
  // The fonts go in once the window is on the screen, before its first
  // paint: the boxes measure their font as it is set, and loading the fonts
  // would hold back the window's appearance for nothing.
  ShowWindow(hwnd_, show_command);
  // A look at the queue hands the window to the display at once (Wine
  // sends its X requests only as the thread turns to its messages).
  MSG pending{};
  PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
  // The focus starts on the button. Given to the hidden window it would
  // activate the window before it could show.
  SetFocus(calculate_);
  ApplyFonts();
  UpdateWindow(hwnd_);
}

void MainWindow::PlaceWindow() {
  const RECT frame = Frame(dpi_);
  SetWindowPos(hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainWindow::ProcessDialogMessage(MSG& message) noexcept {
  return hwnd_ != nullptr && IsDialogMessageW(hwnd_, &message) != FALSE;
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    auto* window = static_cast<MainWindow*>(create->lpCreateParams);
    window->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  // No exception may cross back into the system's frames: one that ends a
  // message's handling is reported once, and the window carries on.
  try {
    return window->Handle(message, wparam, lparam);
  } catch (...) {
    MessageBoxW(hwnd, Widen(window::kInternalErrorText).c_str(), Widen(window::kMessageTitle).c_str(),
                MB_OK | MB_ICONERROR);
  }
  return 0;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_COMMAND:
      return OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
    case DM_GETDEFID:
      return MAKELRESULT(kCalculateId, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam));
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_ACTIVATE:
      return OnActivate(LOWORD(wparam)) ? 0 : DefWindowProcW(hwnd_, message, wparam, lparam);
    case WM_DPICHANGED:
      return OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      return OnNcDestroy(wparam, lparam);
    default:
      return DefWindowProcW(hwnd_, message, wparam, lparam);
  }
}

// The window exists: its icon and its controls, at the window's scale.
LRESULT MainWindow::OnCreate() {
  if (icon_ != nullptr) {
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  dpi_ = GetDpiForWindow(hwnd_);
  CreateControls();
  return 0;
}

LRESULT MainWindow::OnCommand(int id, int code, HWND control) {
  if (id == kCalculateId && code == BN_CLICKED) {
    form_.Calculate();
  } else if (code == EN_CHANGE) {
    for (const Entry entry : kEntries) {
      if (control == boxes_[Index(entry)]) form_.EntryChanged(entry);
    }
  }
  return 0;
}

// Labels in the system's colours for the window's face.
LRESULT MainWindow::OnCtlColorStatic(HDC dc) {
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// As a dialog does: the focus comes back where it was. True when it was
// given back here.
bool MainWindow::OnActivate(WORD state) {
  if (state == WA_INACTIVE) {
    focus_before_deactivation_ = GetFocus();
    return false;
  }
  if (focus_before_deactivation_ == nullptr || IsChild(hwnd_, focus_before_deactivation_) == FALSE)
    return false;
  SetFocus(focus_before_deactivation_);
  return true;
}

// Moved to a screen of another scale: the controls at the new scale, the
// window where and as large as the system suggests.
LRESULT MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  Arrange(dpi);
  ApplyFonts();
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// The window is gone: nothing may use its handle, or destroy it again.
LRESULT MainWindow::OnNcDestroy(WPARAM wparam, LPARAM lparam) {
  HWND gone = std::exchange(hwnd_, nullptr);
  SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
  return DefWindowProcW(gone, WM_NCDESTROY, wparam, lparam);
}

void MainWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  // The diagram at its natural size: the pixels drawn for 1x or 2x as they
  // are, the 2x ones scaled down smoothly for the scales between.
  const window::PixelRect size = window::DiagramSize(dpi_);
  const int width = size.width;
  const int height = size.height;
  const bool at_1x = dpi_ == USER_DEFAULT_SCREEN_DPI && diagram_ != nullptr;
  if (!at_1x && diagram_2x_ == nullptr) {
    diagram_2x_ =
        LoadDiagram(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), kDiagram2xId, 2);
  }
  HBITMAP source = at_1x ? diagram_ : diagram_2x_;
  if (source == nullptr) return;
  const int scale = at_1x ? 1 : 2;
  HDC memory = CreateCompatibleDC(item.hDC);
  HGDIOBJ previous = SelectObject(memory, source);
  SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  StretchBlt(item.hDC, 0, 0, width, height, memory, 0, 0, window::kDiagramWidth * scale,
             window::kDiagramHeight * scale, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
}

void MainWindow::UpdateResultTip(ResultLabel label) {
  HWND result = results_[Index(label)];
  std::wstring text = WindowText(result);
  // Cut short only when the figure is wider than the label.
  HDC dc = GetDC(result);
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(result, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(result, dc);
  RECT rect{};
  GetClientRect(result, &rect);
  if (extent.cx <= rect.right - rect.left) text.clear();
  if (text.empty() && tooltip_ == nullptr) return;
  EnsureTooltip();
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(result);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string MainWindow::ReadEntryText(Entry entry) { return Narrow(WindowText(boxes_[Index(entry)])); }

void MainWindow::WriteEntryText(Entry entry, std::string_view text) {
  // The box sends EN_CHANGE from inside this call, which runs the entry's
  // change handling before it returns.
  SetWindowTextW(boxes_[Index(entry)], Widen(text).c_str());
}

void MainWindow::WriteResultCaption(ResultLabel label, std::string_view text) {
  SetWindowTextW(results_[Index(label)], Widen(text).c_str());
  spoken_results_[Index(label)].SetName(Widen(window::ResultSpeech(label, text)));
  UpdateResultTip(label);
}

void MainWindow::FocusEntry(Entry entry) { SetFocus(boxes_[Index(entry)]); }

void MainWindow::FocusCalculateButton() { SetFocus(calculate_); }

void MainWindow::ResultsShown(const ResultTexts& captions) {
  announcer_.Announce(Widen(window::ResultsAnnouncement(captions)));
}

void MainWindow::ReportFailure(Failure kind) {
  if (report_failure_) report_failure_(hwnd_, kind);
}

void MainWindow::ShowFailureMessage(HWND window, Failure kind) {
  MessageBoxW(window, Widen(window::FailureText(kind)).c_str(), Widen(window::kMessageTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace zelmar::win32
