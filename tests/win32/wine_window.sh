# Shared by the Windows scripts: the program's window on the X server that
# wine_run.sh started, found by its title in the window's facts
# (ZELMAR_WINDOW_FACTS, which the build writes and CTest names).
# shellcheck shell=bash
# shellcheck source=/dev/null
source "${ZELMAR_WINDOW_FACTS:?ZELMAR_WINDOW_FACTS: the facts of the window, written by the build}"

# wait_for_window SECONDS: prints the X window of the program's window.
wait_for_window() {
  local window
  for _ in $(seq $(($1 * 10))); do
    window=$(xdotool search --name "^$ZELMAR_TITLE\$" 2>/dev/null | head -1 || true)
    if [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep -q 'IsViewable'; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# close_window WINDOW: Alt+F4 on the focused window, as a user closes it.
close_window() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key --clearmodifiers alt+F4
}

# wait_for_exit PID SECONDS: the program's exit status, or 124 if it is
# still running after SECONDS.
wait_for_exit() {
  for _ in $(seq $(($2 * 10))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1"
      return $?
    fi
    sleep 0.1
  done
  kill "$1" 2>/dev/null || true
  return 124
}
