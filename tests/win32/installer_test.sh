#!/usr/bin/env bash
# The installer as a user runs it, silently: it installs Zelmar.exe for the
# current user with a Start-menu shortcut and an entry under Apps &
# features, the installed program starts and shows its window, and the
# silent uninstall leaves nothing behind. Run by wine_run.sh.
#   ZELMAR_BUILD_DIR=BUILD installer_test.sh SETUP_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_window.sh"
setup=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
# It removes an installation, so it runs in its build folder's own prefix
# only (ZELMAR_BUILD_DIR, which CTest gives it; wine_run.sh makes the prefix
# there), never in the user's own ~/.wine.
build=$(realpath -m "${ZELMAR_BUILD_DIR:-/nonexistent}")
prefix=$(realpath -m "${WINEPREFIX:-$HOME/.wine}")
case $prefix/ in
  "$build"/?*/) ;;
  *) fail "refusing to install and uninstall in $prefix: a test's prefix is inside its build folder (${ZELMAR_BUILD_DIR:-not given})" ;;
esac
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\org.zelmar.zelmar'
windows_path() { winepath -u "$(wine cmd /c echo "$1" 2>/dev/null | tr -d '\r"')" 2>/dev/null; }
programs=$(windows_path '%LOCALAPPDATA%\Programs\Zelmar')
shortcut=$(windows_path '%APPDATA%\Microsoft\Windows\Start Menu\Programs\Zelmar.lnk')
[ -n "$programs" ] && [ -n "$shortcut" ] || fail "could not find the user's folders in the prefix"
value() { wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"; }

# Start from a prefix without the program.
rm -rf "$programs" "$shortcut"
wine reg delete "$key" /f >/dev/null 2>&1 || true

wine "$setup" /S
[ -f "$programs/Zelmar.exe" ] || fail "Zelmar.exe is not installed in $programs"
[ -f "$programs/Uninstall.exe" ] || fail "no uninstaller in $programs"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(value DisplayName)" = "Zelmar" ] || fail "Apps & features: DisplayName is '$(value DisplayName)'"
[ "$(value DisplayVersion)" = "$ZELMAR_VERSION_SHOWN" ] || fail "Apps & features: DisplayVersion is '$(value DisplayVersion)'"
[ "$(value Publisher)" = "$ZELMAR_PUBLISHER" ] || fail "Apps & features: Publisher is '$(value Publisher)'"
value UninstallString | grep -q 'Uninstall.exe' || fail "Apps & features: no UninstallString"
echo "installed: files, shortcut and Apps & features entry"

wine "$programs/Zelmar.exe" &
pid=$!
window=$(wait_for_window 20) || fail "the installed program shows no window"
close_window "$window"
wait_for_exit "$pid" 20 || fail "the installed program did not end with status 0"
echo "the installed program starts and ends"

# The uninstaller copies itself away and runs from there: wait for it.
wine "$programs/Uninstall.exe" /S
for _ in $(seq 200); do [ -e "$programs" ] || break; sleep 0.1; done
wineserver -w
[ ! -e "$programs" ] || fail "the uninstall left $(ls -A "$programs")"
[ ! -e "$shortcut" ] || fail "the uninstall left the shortcut"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall left the Apps & features entry"
echo "uninstalled: nothing left"
