/* The build's stack guard at work, in a program built with the same
 * protections as Zelmar.exe: it starts copies of itself that smash their
 * stack or overflow a fortified call, and checks each is stopped there with
 * the stack buffer overrun status; and that every start draws a canary of
 * its own, all of it random but its low byte, which is zero.
 *   stack_guard_test.exe            runs the checks
 *   stack_guard_test.exe MODE       one copy: smash, overflow or canary */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
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

/* The exit status of a copy of this program started with MODE; what it
 * wrote to its standard output goes to OUT (SIZE bytes, ended by a zero). */
static DWORD RunCopy(const char* mode, char* out, size_t size) {
  char self[MAX_PATH];
  char line[MAX_PATH + 16];
  GetModuleFileNameA(NULL, self, MAX_PATH);
  // NOLINTNEXTLINE(clang-analyzer-security.insecureAPI.DeprecatedOrUnsafeBufferHandling): bounded by its size
  if (snprintf(line, sizeof line, "\"%s\" %s", self, mode) >= (int)sizeof line) return 0xFFFFFFFF;
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, NULL, TRUE};
  HANDLE reader = NULL;
  HANDLE writer = NULL;
  if (!CreatePipe(&reader, &writer, &inherited, 0)) return 0xFFFFFFFF;
  SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {0};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writer;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process;
  const BOOL started = CreateProcessA(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process);
  CloseHandle(writer);
  size_t filled = 0;
  DWORD got = 0;
  while (started && filled + 1 < size &&
         ReadFile(reader, out + filled, (DWORD)(size - 1 - filled), &got, NULL) && got > 0) {
    filled += got;
  }
  out[filled] = '\0';
  CloseHandle(reader);
  if (!started) return 0xFFFFFFFF;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0xFFFFFFFF;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return status;
}

/* How many of the bits in MASK differ between some two of the canaries. */
static int VaryingBits(const uint64_t* canaries, int count, uint64_t mask) {
  uint64_t varying = 0;
  for (int i = 1; i < count; ++i) varying |= canaries[i] ^ canaries[0];
  int bits = 0;
  for (varying &= mask; varying != 0; varying &= varying - 1) ++bits;
  return bits;
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
    printf("%016llx\n", (unsigned long long)__stack_chk_guard);
    return 0;
  }

  int failures = 0;
  char output[256];
  const char* stopped[] = {"smash", "overflow"};
  for (size_t i = 0; i < 2; ++i) {
    const DWORD status = RunCopy(stopped[i], output, sizeof output);
    if (status != STATUS_STACK_BUFFER_OVERRUN) {
      printf("FAIL: %s ended with status 0x%lx, not the stack buffer overrun's; it wrote \"%s\"\n",
             stopped[i], status, output);
      ++failures;
    }
  }
  /* Of 8 random canaries, a given bit stays the same in all with odds of 1
   * in 128: 7 or more of the 24 bits above the low byte staying so has odds
   * below 1 in 10^8, and 9 or more of the 32 high bits too. */
  enum { kStarts = 8 };
  uint64_t canaries[kStarts];
  for (int i = 0; i < kStarts; ++i) {
    const DWORD status = RunCopy("canary", output, sizeof output);
    canaries[i] = strtoull(output, NULL, 16);
    if (status != 0 || canaries[i] == 0) {
      printf("FAIL: start %d drew no canary (status 0x%lx, \"%s\")\n", i + 1, status, output);
      ++failures;
    }
    if ((canaries[i] & 0xff) != 0) {
      printf("FAIL: the canary 0x%016llx has a low byte\n", (unsigned long long)canaries[i]);
      ++failures;
    }
  }
  const int low_half = VaryingBits(canaries, kStarts, 0xFFFFFF00ULL);
  const int high_half = VaryingBits(canaries, kStarts, 0xFFFFFFFF00000000ULL);
  if (low_half < 18 || high_half < 24) {
    printf(
        "FAIL: across %d starts only %d of the 24 bits above the low byte and %d of the 32 high bits "
        "varied\n",
        kStarts, low_half, high_half);
    ++failures;
  }
  if (GetModuleHandleW(L"rsaenh.dll") != NULL) {
    printf("FAIL: the crypto provider is loaded\n");
    ++failures;
  }
  if (failures == 0) {
    printf("stack guard: both overruns stopped; %d starts drew canaries varying in %d and %d bits\n", kStarts,
           low_half, high_half);
  }
  return failures == 0 ? 0 : 1;
}
