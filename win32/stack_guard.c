/* The stack protector's canary and its failure calls, for every Windows
 * executable of the build. GCC's own libssp seeds the canary from the
 * crypto provider, which loads rsaenh, crypt32 and bcrypt at every start;
 * the C runtime's rand_s draws from the system's generator (RtlGenRandom),
 * which is already loaded. The linker takes these definitions before it
 * reaches libssp, whose fortified calls then report to __chk_fail here.
 *
 * Built without the stack protector: the seed runs while the canary is
 * still zero, and the failure calls must not check a stack they already
 * know is broken. */
// The names below are the compiler's and the C runtime's own: GCC's stack
// protector and libssp call them, the runtime declares rand_s on request.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
#define _CRT_RAND_S
#include <stdint.h>
#include <stdlib.h>
#include <windows.h>

// Set once, at start.
uintptr_t __stack_chk_guard;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

/* What a smashed stack or an overflowing fortified call does: end the
 * process at once, running nothing that could use the broken state (no
 * handler, no atexit, no DLL detach) and showing no dialog, with the status
 * Windows gives a stack buffer overrun. */
__declspec(noreturn) void __stack_chk_fail(void) {
  TerminateProcess(GetCurrentProcess(), (UINT)STATUS_STACK_BUFFER_OVERRUN);
  __builtin_unreachable();
}
__declspec(noreturn) void __chk_fail(void) { __stack_chk_fail(); }

static int __cdecl SeedStackGuard(void) {
  unsigned int high = 0;
  unsigned int low = 0;
  uintptr_t seed = 0;
  if (rand_s(&high) == 0 && rand_s(&low) == 0) seed = ((uintptr_t)high << 32) | low;
  if (seed == 0) {
    /* No generator: what varies from one start to the next. */
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    seed = (uintptr_t)now.QuadPart ^ ((uintptr_t)GetCurrentProcessId() << 32) ^ (uintptr_t)&now;
  }
  /* A zero low byte stops a string copy running over the canary. */
  __stack_chk_guard = seed & ~(uintptr_t)0xff;
  return 0;
}

/* Among the C runtime's initialisers, which run before any constructor and
 * before WinMain. */
// A constant pointer to a function.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
__attribute__((section(".CRT$XIU"), used)) static int(__cdecl* const seed_stack_guard)(void) = SeedStackGuard;
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
