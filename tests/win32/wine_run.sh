#!/usr/bin/env bash
# Runs a Windows program under Wine as a test: in a private prefix inside the
# build folder, on a private X server, and ends what it started (that
# prefix's wineserver, that X server) however it ends.
#   wine_run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#   wine_run.sh PREFIX SCRIPT [ARGUMENTS...]   a script that runs wine itself
# ZELMAR_WINE_DPI sets the screen's resolution for the run (default 96);
# ZELMAR_WINE_MANAGED=Y leaves the frames to a window manager, as on a
# desktop (default N: none runs here). A script run here finds the X
# server's PID in ZELMAR_X_SERVER_PID.
set -euo pipefail
prefix=$(realpath -m "$1")  # Wine wants it absolute
shift
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
# No downloads of Wine's .NET and HTML engines, and no dialogs asking for them.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
unset QT_QPA_PLATFORM

source "$(dirname "$0")/../common/private_x_server.sh"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_private_x_server
}
trap cleanup EXIT
start_private_x_server 1280x1024x24
# For a script that places the X server on a CPU of its choosing.
export ZELMAR_X_SERVER_PID=$XVFB_PID

mkdir -p "$prefix"
if [ ! -f "$prefix/system.reg" ]; then
  wineboot --init >/dev/null 2>&1 || { echo "wine_run: could not make the Wine prefix" >&2; exit 1; }
  wineserver -w
fi
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${ZELMAR_WINE_DPI:-96}" /f >/dev/null 2>&1
# No window manager runs on the private X server: Wine draws the frames
# itself, and does not wait for a manager to withdraw a closed window.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "${ZELMAR_WINE_MANAGED:-N}" /f >/dev/null 2>&1
case $1 in
  *.exe) wine "$@" ;;
  *) "$@" ;;
esac
