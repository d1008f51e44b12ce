#!/usr/bin/env bash
# A cut result's tip, shown under the real pointer: the test program says
# where the result is on the screen, and the X server's pointer is moved
# there with XTEST (xdotool), as a mouse moves it. Run by wine_run.sh.
#   pointer_test.sh TESTS.exe
set -euo pipefail
ready=$(mktemp -u -t zelmar-pointer.XXXXXX)
trap 'rm -f "$ready"' EXIT
ZELMAR_POINTER_READY="Z:$ready" wine "$1" --gtest_also_run_disabled_tests \
  --gtest_filter='*ThePointerOverACutResultShowsItsWholeFigure' &
pid=$!
for _ in $(seq 300); do
  if [ -s "$ready" ] || ! kill -0 "$pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if [ -s "$ready" ]; then
  read -r x y <"$ready"
  xdotool mousemove "$((x - 4))" "$y"
  sleep 0.2
  xdotool mousemove "$x" "$y"
fi
wait "$pid"
