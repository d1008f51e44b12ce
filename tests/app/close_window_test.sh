#!/usr/bin/env bash
# Starts the program on a private X server, waits for its window, closes it
# with the close box's message and checks that the program ends with status 0.
set -euo pipefail
program=$1
helper=$2
# shellcheck source=/dev/null
source "${ZELMAR_WINDOW_FACTS:?ZELMAR_WINDOW_FACTS: the facts of the window, written by the build}"
title=$ZELMAR_TITLE

source "$(dirname "$0")/../common/private_x_server.sh"
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  stop_private_x_server
}
trap cleanup EXIT
start_private_x_server
unset QT_QPA_PLATFORM

"$program" &
program_pid=$!
if ! "$helper" wait "$title" 20; then
  echo "FAIL: no window titled '$title' appeared" >&2
  print_private_x_server_log
  exit 1
fi
"$helper" close "$title"
for _ in $(seq 200); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "FAIL: the program is still running 10 s after its window was closed" >&2
  exit 1
fi
status=0
wait "$program_pid" || status=$?
program_pid=
if [ "$status" -ne 0 ]; then
  echo "FAIL: the program ended with status $status" >&2
  exit 1
fi
echo "closed with status 0"
