// Start-up on Windows: the common controls, the one window, the message
// loop with the dialog keys. Closing the window ends the program with
// status 0.
#include "zelmar/win32/main_window.hpp"
// After <windows.h>, which it needs.
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/, int nShowCmd) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);

  zelmar::win32::MainWindow window(hInstance, zelmar::win32::UserDecimalSeparator());
  if (window.hwnd() == nullptr) return 1;
  window.Show(nShowCmd);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!window.ProcessDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
