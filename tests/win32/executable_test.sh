#!/usr/bin/env bash
# What the built Zelmar.exe carries, read back from the executable itself:
# the DLLs it imports (Windows' own only), the version record, the icon and
# the manifest.
#   executable_test.sh ZELMAR_EXE
set -euo pipefail
exe=$1
triple=x86_64-w64-mingw32
fail() { echo "FAIL: $*" >&2; exit 1; }

file -b "$exe" | grep -q 'PE32+ executable (GUI) x86-64' || fail "not a 64-bit Windows GUI executable: $(file -b "$exe")"

# No DLL beyond those every Windows has.
imports=$("$triple-objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort)
for dll in $imports; do
  case $dll in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll | oleacc.dll | ole32.dll | oleaut32.dll) ;;
    *) fail "imports $dll, which Windows does not ship" ;;
  esac
done
echo "imports: $(echo $imports)"

decoded=$("$triple-windres" -i "$exe" -O rc)
expect() { grep -q -F -- "$1" <<<"$decoded" || fail "the executable's resources lack: $1"; }
expect 'LANGUAGE 9, 1'
expect 'FILEVERSION 1, 0, 0, 2'
expect 'PRODUCTVERSION 1, 0, 0, 2'
expect 'FILEOS 0x4'
expect 'FILETYPE 0x1'
expect 'BLOCK "040904B0"'
expect 'VALUE "FileVersion", "1.00.0002"'
expect 'VALUE "ProductVersion", "1.00.0002"'
expect 'VALUE "InternalName", "Zelmar"'
expect 'VALUE "OriginalFilename", "Zelmar.exe"'
expect 'VALUE "Comments", "freeware..."'
expect 'VALUE "Translation", 0x409, 1200'
expect '"\060\060\000\000", 1, 8,'  # the icon: one 48 x 48 image, 8 bits a pixel
expect 'PerMonitorV2'
expect 'Microsoft.Windows.Common-Controls'
expect 'asInvoker'
echo "version record, icon and manifest: ok; $(stat -c %s "$exe") bytes"
