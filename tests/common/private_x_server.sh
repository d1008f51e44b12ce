# Shared by the tests and the benchmarks that need a display: an X server of
# their own, on a free display, ended by its PID from the caller's EXIT trap.
# shellcheck shell=bash

# start_private_x_server [SCREEN [XVFB-ARGUMENT...]]: starts Xvfb, waits up
# to 30 s for it and exports DISPLAY; XVFB_PID is its PID.
start_private_x_server() {
  local displayfd screen=${1:-1024x768x24}
  [ $# -gt 0 ] && shift
  displayfd=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$displayfd" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 600); do [ -s "$displayfd" ] && break; sleep 0.05; done
  if [ ! -s "$displayfd" ]; then
    rm -f "$displayfd"
    echo "FAIL: the private X server did not start in 30 s" >&2
    return 1
  fi
  export DISPLAY=":$(cat "$displayfd")"
  rm -f "$displayfd"
}

stop_private_x_server() {
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
