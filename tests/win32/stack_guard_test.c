/* The build's stack guard at work, in a program built with the same
 * protections as Zelmar.exe: it starts copies of itself that smash their
 * stack or overflow a fortified call, and checks each is stopped there with
 * the stack buffer overrun status; and that two starts draw two canaries.
 *   stack_guard_test.exe            runs the checks
 *   stack_guard_test.exe MODE       one copy: smash, overflow or canary */
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

/* The canary, by the name the compiler gives it. */
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,cppcoreguidelines-avoid-non-const-global-variables)
extern uintptr_t __stack_chk_guard;

/* How far to write, hidden from the optimiser. */
static volatile size_t reach = 64;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

static __attribute__((noinline)) void Smash(void) {
  char buffer[8];
  for (size_t i = 0; i < reach; ++i) ((volatile char*)buffer)[i] = 'x';
}

static __attribute__((noinline)) void Overflow(void) {
  char buffer[8];
  // The overflow is the point: the fortified call must stop it.
  // NOLINTNEXTLINE(clang-analyzer-security.insecureAPI.DeprecatedOrUnsafeBufferHandling)
  memset(buffer, 'x', reach);
  printf("%c\n", buffer[0]);
}

/* The exit status of a copy of this program started with MODE. */
static DWORD RunCopy(const char* mode) {
  char self[MAX_PATH];
  char line[MAX_PATH + 16];
  GetModuleFileNameA(NULL, self, MAX_PATH);
  // NOLINTNEXTLINE(clang-analyzer-security.insecureAPI.DeprecatedOrUnsafeBufferHandling): bounded by its size
  if (snprintf(line, sizeof line, "\"%s\" %s", self, mode) >= (int)sizeof line) return 0xFFFFFFFF;
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process;
  if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) return 0xFFFFFFFF;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}

int main(int argc, char** argv) {
  if (argc == 2 && strcmp(argv[1], "smash") == 0) {
    Smash();
    return 0;
  }
  if (argc == 2 && strcmp(argv[1], "overflow") == 0) {
    Overflow();
    return 0;
  }
  if (argc == 2 && strcmp(argv[1], "canary") == 0) {
    /* The canary's middle bits, as the status: never the overrun's. */
    return (int)((__stack_chk_guard >> 8) & 0x7FFFFFFF);
  }

  int failures = 0;
  const char* stopped[] = {"smash", "overflow"};
  for (size_t i = 0; i < 2; ++i) {
    const DWORD status = RunCopy(stopped[i]);
    if (status != STATUS_STACK_BUFFER_OVERRUN) {
      printf("FAIL: %s ended with status 0x%lx, not the stack buffer overrun's\n", stopped[i], status);
      ++failures;
    }
  }
  const DWORD first = RunCopy("canary");
  const DWORD second = RunCopy("canary");
  if (first == 0 || first == second) {
    printf("FAIL: two starts drew the canaries 0x%lx and 0x%lx\n", first, second);
    ++failures;
  }
  if (GetModuleHandleW(L"rsaenh.dll") != NULL) {
    printf("FAIL: the crypto provider is loaded\n");
    ++failures;
  }
  if (failures == 0) printf("stack guard: both overruns stopped, two starts drew two canaries\n");
  return failures == 0 ? 0 : 1;
}
