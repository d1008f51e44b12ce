#!/usr/bin/env bash
# Runs the program as a screen-reader user meets it: on a private X server
# and a private session bus with the accessibility bus, with a listener that
# reads the window through AT-SPI and records the events a screen reader
# would speak from, while real keystrokes run a calculation.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${ZELMAR_IN_SESSION:-}" ]; then
  export ZELMAR_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

source "$here/../common/private_x_server.sh"
# shellcheck source=/dev/null
source "${ZELMAR_WINDOW_FACTS:?ZELMAR_WINDOW_FACTS: the facts of the window, written by the build}"
export ZELMAR_TITLE
program_log=$(mktemp)
bus= program_pid=
cleanup() {
  for pid in $program_pid $bus; do kill "$pid" 2>/dev/null || true; done
  stop_private_x_server
  rm -f "$program_log"
}
trap cleanup EXIT
start_private_x_server
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=${TMPDIR:-/tmp}

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
bus=$!
# As under a desktop with a screen reader running.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" 2>"$program_log" &
program_pid=$!
# Debian's Python, where the AT-SPI bindings are.
if ! /usr/bin/python3 "$here/screen_reader_listen.py"; then
  echo "the program's own output:" >&2
  { grep -v -e '^QStandardPaths' "$program_log" || true; } | tail -40 >&2
  print_private_x_server_log
  exit 1
fi
