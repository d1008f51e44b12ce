#!/usr/bin/env bash
# A DLL planted beside Zelmar.exe under the name of one it loads later
# (oleacc, with the first announcement of results) is never loaded: the
# program takes that DLL from the system folder. Wine is told to prefer a
# native oleacc.dll, as Windows would take a planted one. Run by wine_run.sh.
#   planted_dll_test.sh ZELMAR_EXE PLANTED_DLL
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_window.sh"
exe=$1
planted=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

folder=$(mktemp -d "$WINEPREFIX/planted.XXXXXX")  # inside the test's own prefix
log=$(mktemp)
pid=
cleanup() {
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  rm -rf "$folder" "$log"
}
trap cleanup EXIT
cp "$exe" "$folder/Zelmar.exe"
cp "$planted" "$folder/oleacc.dll"

WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};oleacc=n,b" WINEDEBUG=+loaddll wine "$folder/Zelmar.exe" 2>"$log" &
pid=$!
window=$(wait_for_window 20) || fail "no window titled '$ZELMAR_TITLE' appeared"
# Enter: the results are worked out and announced, which loads oleacc.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers Return
for _ in $(seq 100); do
  grep -q -i 'Loaded L"[^"]*oleacc\.dll"' "$log" && break
  sleep 0.1
done
loaded=$(grep -i 'Loaded L"[^"]*oleacc\.dll"' "$log" || true)
close_window "$window"
wait_for_exit "$pid" 20 || fail "the program did not end"
pid=
[ -n "$loaded" ] || fail "the announcement loaded no oleacc.dll"
if grep -q -i "${folder##*/}" <<<"$loaded"; then
  fail "the planted oleacc.dll was loaded: $loaded"
fi
grep -q -i 'system32\\\\oleacc\.dll' <<<"$loaded" || fail "oleacc.dll came from elsewhere: $loaded"
echo "oleacc.dll from the system folder, the planted one left alone: $loaded"
