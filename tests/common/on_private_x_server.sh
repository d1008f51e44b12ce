#!/usr/bin/env bash
# on_private_x_server.sh COMMAND...: runs the command on an X server of its
# own, and shows the server's output when the command fails.
set -euo pipefail
source "$(dirname "$0")/private_x_server.sh"
trap stop_private_x_server EXIT
start_private_x_server
status=0
"$@" || status=$?
[ "$status" = 0 ] || print_private_x_server_log
exit "$status"
