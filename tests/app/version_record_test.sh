#!/usr/bin/env bash
# The version record: embedded in the executable as read-only text, and, where
# the MinGW resource compiler is at hand, the Windows resource script
# compiled and read back field by field.
#   version_record_test.sh EXECUTABLE RC_FILE
set -euo pipefail
executable=$1
rc=$2

record=$(strings "$executable" | grep -A7 '^Zelmar version record$')
for field in FileVersion=1.00.0002 ProductVersion=1.00.0002 FileVersionNumber=1.0.0.2 \
             ProductVersionNumber=1.0.0.2 InternalName=Zelmar Comments=freeware...; do
  grep -q -x -F "$field" <<<"$record" || { echo "FAIL: the executable's record lacks $field" >&2; exit 1; }
done
echo "embedded record: ok"

windres=$(command -v x86_64-w64-mingw32-windres || true)
if [ -z "$windres" ]; then
  echo "windres not installed: Windows resource not checked"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$windres" --preprocessor=cpp -i "$rc" -O res -o "$work/zelmar.res"
decoded=$("$windres" -i "$work/zelmar.res" -O rc)
expect() {
  grep -q -F -- "$1" <<<"$decoded" || { echo "FAIL: the compiled resource lacks: $1" >&2; exit 1; }
}
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
expect '"\060\060\000\000", 1, 8,'   # one 48 x 48 icon, 8 bits a pixel
echo "Windows resource: ok"
