# Shared by the tests and the benchmarks that need a display: an X server of
# their own, on a free display, ended by its PID from the caller's EXIT trap.
# shellcheck shell=bash

# start_private_x_server [SCREEN [XVFB-ARGUMENT...]]: starts Xvfb, waits up
# to 30 s for it and exports DISPLAY; XVFB_PID is its PID and XVFB_LOG the
# file its own messages go to (print_private_x_server_log shows them).
start_private_x_server() {
  local displayfd screen=${1:-1024x768x24}
  [ $# -gt 0 ] && shift
  displayfd=$(mktemp)
  XVFB_LOG=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$displayfd" 2>"$XVFB_LOG" &
  XVFB_PID=$!
  for _ in $(seq 600); do [ -s "$displayfd" ] && break; sleep 0.05; done
  if [ ! -s "$displayfd" ]; then
    rm -f "$displayfd"
    echo "FAIL: the private X server did not start in 30 s" >&2
    print_private_x_server_log
    return 1
  fi
  export DISPLAY=":$(cat "$displayfd")"
  rm -f "$displayfd"
}

print_private_x_server_log() {
  if kill -0 "${XVFB_PID:-}" 2>/dev/null; then
    echo "the X server (${DISPLAY:-no display}) is running; its output:" >&2
  else
    echo "the X server (${DISPLAY:-no display}) has ended; its output:" >&2
  fi
  tail -20 "${XVFB_LOG:-/dev/null}" >&2
}

# Returns once the server is gone, so that the next test's server never
# starts beside one still closing its display's sockets.
stop_private_x_server() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    for _ in $(seq 200); do kill -0 "$XVFB_PID" 2>/dev/null || break; sleep 0.05; done
    kill -KILL "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
  rm -f "${XVFB_LOG:-}"
}
