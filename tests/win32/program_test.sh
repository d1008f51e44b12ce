#!/usr/bin/env bash
# Zelmar.exe started as a user starts it: its window appears with its title,
# and closing it (Alt+F4, real keys on the X server) ends the program with
# status 0. Run by wine_run.sh, which provides the prefix and the display.
#   program_test.sh ZELMAR_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_window.sh"
exe=$1

wine "$exe" &
pid=$!
window=$(wait_for_window 20) || { echo "FAIL: no window titled '$ZELMAR_TITLE' appeared" >&2; exit 1; }
close_window "$window"
status=0
wait_for_exit "$pid" 20 || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the program ended with status $status" >&2; exit 1; }
echo "window shown, closed with status 0"
