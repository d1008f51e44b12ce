#pragma once

// The Windows window driven as a person would: the messages that real keys
// produce, posted to the control that has the focus and taken through the
// program's own message handling (the dialog keys included); clicks and
// pointer moves through the system's input (SendInput); what screen readers
// read, through MSAA.
#include <gtest/gtest.h>

#include "zelmar/win32/main_window.hpp"
// After <windows.h>.
#include <commctrl.h>
#include <oleacc.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "recorded_annotations.hpp"
#include "window_cases.hpp"
#include "zelmar/win32/spoken_name.hpp"
#include "zelmar/window/control_table.hpp"

// VARIANT is the COM API's own tagged union; snprintf formats an HRESULT.
// NOLINTBEGIN(cppcoreguidelines-pro-type-union-access,cppcoreguidelines-pro-type-vararg)
namespace zelmar::win32::testing {

class Win32Driver final : public zelmar::testing::WindowDriver {
 public:
  // The hook is in context: told at once, from inside the program's
  // announcement, with the focus where it is then.
  explicit Win32Driver(DecimalSeparator separator = DecimalSeparator::Point())
      : live_hook_(SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, GetModuleHandleW(nullptr),
                                   &Win32Driver::OnLiveRegion, GetCurrentProcessId(), 0, WINEVENT_INCONTEXT)),
        close_messages_(SetTimer(nullptr, 0, 10, &Win32Driver::CloseMessage)) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    annotations_ = std::make_unique<RecordedAnnotations>();
    current_ = this;
    Reopen(separator);
  }
  Win32Driver(const Win32Driver&) = delete;
  Win32Driver& operator=(const Win32Driver&) = delete;
  Win32Driver(Win32Driver&&) = delete;
  Win32Driver& operator=(Win32Driver&&) = delete;
  ~Win32Driver() override {
    if (live_hook_ != nullptr) UnhookWinEvent(live_hook_);
    KillTimer(nullptr, close_messages_);
    current_ = nullptr;
    window_.reset();
    Pump();
    annotations_.reset();
    CoUninitialize();
  }

  MainWindow& window() { return *window_; }

  // Everything queued, through the program's own handling of messages.
  void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
      if (message.message == WM_QUIT) continue;
      if (window_ == nullptr || !window_->ProcessDialogMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }

  HWND Control(std::string_view name) const {
    HWND control = window_->Control(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  static std::string TextOf(HWND control) { return Narrow(WindowText(control)); }

  // A key pressed and released on the control with the focus, as the
  // keyboard delivers it: WM_KEYDOWN, its WM_CHAR (made by the message
  // loop's TranslateMessage), WM_KEYUP.
  void PressKey(UINT key, bool shift = false, bool control = false, bool extended = false) {
    SetModifiers(shift, control);
    LPARAM flags = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    if (extended) flags |= LPARAM{1} << 24;
    PostMessageW(GetFocus(), WM_KEYDOWN, key, flags | 1);
    Pump();
    PostMessageW(GetFocus(), WM_KEYUP, key, flags | 0xC0000001);
    Pump();
    SetModifiers(false, false);
  }
  void Keys(std::string_view text) override {
    for (const char c : text) {
      const SHORT key = VkKeyScanW(static_cast<wchar_t>(c));
      PressKey(static_cast<UINT>(key & 0xFF), (key & 0x100) != 0);
    }
  }
  void SelectAll(std::string_view box) const {
    SetFocus(Control(box));
    SendMessageW(Control(box), EM_SETSEL, 0, -1);
  }

  // zelmar::testing::WindowDriver
  void Reopen(DecimalSeparator separator) override {
    window_.reset();
    Pump();
    announcements_.clear();
    window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), separator);
    EXPECT_NE(window_->hwnd(), nullptr);
    window_->Show(SW_SHOWNORMAL);
    SetForegroundWindow(window_->hwnd());
    Pump();
  }
  void Type(std::string_view box, std::string_view text) override {
    SelectAll(box);
    Keys(text);
  }
  void Paste(std::string_view box, std::string_view text) override {
    SelectAll(box);
    PasteHere(text);
  }
  void Caret(std::string_view box, int count) override {
    SetFocus(Control(box));
    PressKey(VK_HOME, false, false, true);
    for (int n = 0; n < count; ++n) PressKey(VK_RIGHT, false, false, true);
  }
  // An edit control is no drop target: the suite leaves out the cases that drop.
  void Drop(std::string_view /*box*/, std::string_view /*text*/) override {
    ADD_FAILURE() << "Windows' boxes take no dropped text";
  }
  void PasteHere(std::string_view text) override {
    const std::wstring wide = Widen(text);
    ASSERT_TRUE(OpenClipboard(window_->hwnd()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    PressKey('V', false, true);
  }
  void Key(std::string_view key) override {
    if (key == "Enter") {
      PressKey(VK_RETURN);
    } else if (key == "KeypadEnter") {
      PressKey(VK_RETURN, false, false, true);
    } else if (key == "Space") {
      PressKey(VK_SPACE);
    } else if (key == "Tab") {
      PressKey(VK_TAB);
    } else if (key == "Shift+Tab") {
      PressKey(VK_TAB, true);
    } else if (key == "Backspace") {
      PressKey(VK_BACK);
    } else if (key == "Ctrl+Z" || key == "Redo") {
      // An edit control's undo is one step deep: Ctrl+Z again takes back
      // the undo, which is its redo.
      PressKey('Z', false, true);
    } else if (key == "Alt+C") {
      // What the keyboard delivers once translated: WM_SYSCHAR with the Alt bit.
      PostMessageW(GetFocus(), WM_SYSCHAR, 'c', (1 << 29) | 1);
      Pump();
    } else {
      ADD_FAILURE() << "no key " << key;
    }
  }
  void Focus(std::string_view control) override { SetFocus(Control(control)); }
  void Click(int x, int y) override {
    MovePointer(x, y);
    std::array<INPUT, 2> click{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(static_cast<UINT>(click.size()), click.data(), sizeof(INPUT));
    Settle();
  }
  void Resize(int width, int height) override {
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_->hwnd(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window_->hwnd(), GWL_EXSTYLE)),
                             window_->dpi());
    SetWindowPos(window_->hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(ClientSize(), std::make_pair(width, height)) << "not resized";
  }
  void Maximise() override {
    ShowWindow(window_->hwnd(), SW_MAXIMIZE);
    Pump();
    EXPECT_NE(IsZoomed(window_->hwnd()), FALSE) << "not maximised";
  }
  std::string Title() override { return TextOf(window_->hwnd()); }
  std::pair<int, int> ClientSize() override {
    RECT client{};
    GetClientRect(window_->hwnd(), &client);
    return {client.right, client.bottom};
  }
  std::string Text(std::string_view control) override { return TextOf(Control(control)); }
  std::string FocusName() override {
    for (const window::ControlSpec& design : window::kControls) {
      if (window_->Control(design.name) == GetFocus()) return std::string(design.name);
    }
    return "(none)";
  }
  std::vector<std::string> TakeMessages() override { return std::exchange(messages_, {}); }
  std::vector<zelmar::testing::Announcement> Announcements() override { return announcements_; }
  // The window's tip control, once it has made one.
  HWND TipControl() const {
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
      if (GetWindow(tip, GW_OWNER) == window_->hwnd()) break;
    }
    return tip;
  }
  // The text the window's tip control holds for the result, asked of the
  // tip control as any program may ask it.
  std::string Tip(std::string_view result) override {
    HWND tip = TipControl();
    if (tip == nullptr) return {};
    std::array<wchar_t, 128> text{};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_->hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(result));
    tool.lpszText = text.data();
    SendMessageW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return Narrow(text.data());
  }
  std::string Spoken(std::string_view control) override { return AccessibleName(Control(control)); }
  window::PixelRect Place(std::string_view control) override { return PlaceOf(Control(control)); }
  // Where a control stands in its window's client area, in its pixels.
  static window::PixelRect PlaceOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  }
  std::vector<zelmar::testing::InkLine> Ink(std::string_view control) override;
  zelmar::testing::FontSeen Font(std::string_view control) override { return FontOf(Control(control)); }
  // The font a control draws with, as its LOGFONT says.
  static zelmar::testing::FontSeen FontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return {Narrow(font.lfFaceName), static_cast<int>(-font.lfHeight), font.lfWeight >= FW_BOLD,
            font.lfItalic == FALSE && font.lfUnderline == FALSE && font.lfStrikeOut == FALSE};
  }

  // The pointer to a point of the client area, as the mouse moves it.
  void MovePointer(int x, int y) {
    POINT point{x, y};
    ClientToScreen(window_->hwnd(), &point);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    Settle();
  }
  // What a screen reader reads as the control's name, asked as one asks.
  static std::string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    const HRESULT found = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kAccessible,
                                                     reinterpret_cast<void**>(&accessible));
    if (FAILED(found)) {
      char code[32];
      (void)std::snprintf(code, sizeof code, "%08lx", static_cast<unsigned long>(found));
      return std::string("(no accessible object: ") + code + ")";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string result = "(no name)";
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr) {
      result = Narrow({name, SysStringLen(name)});
      SysFreeString(name);
    }
    accessible->Release();
    return result;
  }

 private:
  static inline const IID kAccessible = __uuidof(IAccessible);

  static void SetModifiers(bool shift, bool control) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys.data());
  }
  // Input from SendInput reaches the queue a moment later.
  void Settle() {
    for (int i = 0; i < 5; ++i) {
      Sleep(10);
      Pump();
    }
  }
  // Each message the window shows is read and closed as soon as it shows, as
  // a user would.
  static void CALLBACK CloseMessage(HWND /*window*/, UINT /*message*/, UINT_PTR /*timer*/, DWORD /*time*/) {
    if (current_ != nullptr && current_->window_ != nullptr) {
      EnumThreadWindows(GetCurrentThreadId(), &Win32Driver::CloseIfMessage, 0);
    }
  }
  static BOOL CALLBACK CloseIfMessage(HWND box, LPARAM /*unused*/) {
    std::array<wchar_t, 32> kind{};
    GetClassNameW(box, kind.data(), static_cast<int>(kind.size()));
    if (GetWindow(box, GW_OWNER) != current_->window_->hwnd() ||
        std::wstring_view(kind.data()) != L"#32770" || IsWindowVisible(box) == FALSE) {
      return TRUE;
    }
    std::array<wchar_t, 256> text{};
    GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));  // the message's static
    current_->messages_.push_back(zelmar::testing::ShownMessage(TextOf(box), Narrow(text.data())));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return FALSE;
  }
  static void CALLBACK OnLiveRegion(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND hwnd, LONG object,
                                    LONG child, DWORD /*thread*/, DWORD /*time*/) {
    if (current_ == nullptr || object != OBJID_CLIENT || child != CHILDID_SELF) return;
    current_->announcements_.push_back({AccessibleName(hwnd), current_->FocusName()});
    // A screen reader speaks a live region's change only once it is one.
    EXPECT_EQ(current_->annotations_->LiveSetting(hwnd), kPolite)
        << "announced before it was a polite live region";
  }

  // NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables): a WinEvent callback takes no context
  static inline Win32Driver* current_ = nullptr;
  std::unique_ptr<MainWindow> window_;
  std::vector<std::string> messages_;
  std::vector<zelmar::testing::Announcement> announcements_;
  std::unique_ptr<RecordedAnnotations> annotations_;
  HWINEVENTHOOK live_hook_ = nullptr;
  UINT_PTR close_messages_ = 0;
};

// The label's pixels as the screen shows them, read back; every pixel that
// is not the face colour is ink.
inline std::vector<zelmar::testing::InkLine> Win32Driver::Ink(std::string_view control) {
  HWND label = Control(control);
  RedrawWindow(window_->hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  RECT rect{};
  GetClientRect(label, &rect);
  const int width = rect.right;
  const int height = rect.bottom;
  HDC screen = GetDC(label);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const DWORD background = (GetRValue(face) << 16U) | (GetGValue(face) << 8U) | GetBValue(face);
  const auto* pixels = static_cast<const DWORD*>(bits);
  std::vector<zelmar::testing::InkLine> lines = zelmar::testing::InkLines(width, height, [&](int x, int y) {
    return (pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)] &
            0xFFFFFFU) != background;
  });
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(label, screen);
  return lines;
}

}  // namespace zelmar::win32::testing
// NOLINTEND(cppcoreguidelines-pro-type-union-access,cppcoreguidelines-pro-type-vararg)
