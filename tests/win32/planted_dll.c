/* A DLL as one would plant it beside Zelmar.exe under the name of a system
 * DLL: it does nothing, and Wine's loader trace says where it came from. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}
