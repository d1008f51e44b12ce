#!/usr/bin/env bash
# Zelmar.exe started as a user starts it: its window appears with its title,
# having loaded no DLL that only a screen reader or a crypto provider needs
# (as Wine's loader reports them; Wine's own window code loads ole32 and
# combase, and at times oleaut32, into every window program, so those three
# are checked in the import table instead: oleacc stands for them here, as
# the program loads the three together), and closing it (Alt+F4, real keys on the X server) ends the program with
# status 0. Run by wine_run.sh, which provides the prefix and the display.
#   program_test.sh ZELMAR_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_window.sh"
exe=$1

log=$(mktemp)
trap 'rm -f "$log"' EXIT
WINEDEBUG=+loaddll wine "$exe" 2>"$log" &
pid=$!
window=$(wait_for_window 20) || { echo "FAIL: no window titled '$ZELMAR_TITLE' appeared" >&2; exit 1; }
# The lines of Zelmar's own process: those with the number of the one that
# loaded the executable.
loaded=$(awk -F: '/Loaded L".*\\Zelmar\.exe"/ { process = $1 } $1 == process' "$log" |
  sed -n 's/.*Loaded L"[^"]*\\\([^"\\]*\)".*/\1/p' | tr '[:upper:]' '[:lower:]' | sort -u)
grep -q -x zelmar.exe <<<"$loaded" || { echo "FAIL: the loader reported no DLL of Zelmar.exe" >&2; exit 1; }
for dll in oleacc.dll rsaenh.dll crypt32.dll bcrypt.dll; do
  ! grep -q -x "$dll" <<<"$loaded" || { echo "FAIL: $dll loaded at start-up:" $loaded >&2; exit 1; }
done
echo "loaded at start-up:" $loaded
close_window "$window"
status=0
wait_for_exit "$pid" 20 || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the program ended with status $status" >&2; exit 1; }
echo "window shown, closed with status 0"
