// The floor of a Win32 program, for the start-up comparison: one window of
// Zelmar's size and place with one edit box and one button where Zelmar has
// its box of groups and its button, all read from the window's description,
// and built as Zelmar.exe is (same toolchain, static, the same manifest).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "zelmar/window/placement.hpp"

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int nShowCmd) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW design{};
  design.cbSize = sizeof design;
  design.lpfnWndProc = &WindowProcedure;
  design.hInstance = hInstance;
  design.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  design.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  design.lpszClassName = L"BareWindow";
  RegisterClassExW(&design);
  const UINT dpi = GetDpiForSystem();
  const zelmar::window::PixelRect client = zelmar::window::ClientArea(dpi);
  RECT frame{client.left, client.top, client.Right(), client.Bottom()};
  AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
  HWND window = CreateWindowExW(0, L"BareWindow", L"Bare Win32", WS_OVERLAPPEDWINDOW, frame.left, frame.top,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                hInstance, nullptr);
  const zelmar::window::PixelRect box =
      zelmar::window::Place(*zelmar::window::FindControl("Gruppi"), dpi).design;
  CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"2", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                  box.left, box.top, box.width, box.height, window, nullptr, hInstance, nullptr);
  const zelmar::window::PixelRect press =
      zelmar::window::Place(zelmar::window::CalculateButton(), dpi).design;
  HWND button = CreateWindowExW(0, L"BUTTON", L"&OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                press.left, press.top, press.width, press.height, window,
                                reinterpret_cast<HMENU>(IDOK), hInstance, nullptr);
  ShowWindow(window, nShowCmd);
  UpdateWindow(window);
  SetFocus(button);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message) == FALSE) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
