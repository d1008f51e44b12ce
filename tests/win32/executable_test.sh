#!/usr/bin/env bash
# What the built Zelmar.exe carries, read back from the executable itself
# (and the build's record of how it compiled it): its exploit protections,
# the DLLs it imports (Windows' own only), the version record, the icon and
# the manifest.
#   executable_test.sh ZELMAR_EXE BUILD_DIR
set -euo pipefail
exe=$1
build=$2
triple=x86_64-w64-mingw32
fail() { echo "FAIL: $*" >&2; exit 1; }

# A 64-bit Windows GUI program, as the PE header says (objdump's own
# words, which do not change with the release as file's do).
headers=$("$triple-objdump" -p -h "$exe")
grep -q -E 'file format pei-x86-64$' <<<"$headers" || fail "not a 64-bit Windows executable"
grep -q -P '^Magic\t+020b\t+\(PE32\+\)$' <<<"$headers" || fail "not a PE32+ executable"
grep -q -P '^Subsystem\t+00000002\t+\(Windows GUI\)$' <<<"$headers" || fail "not a Windows GUI program"

# ASLR (with the relocations it needs, and above 4 GiB) and DEP, which the
# loader reads from the PE header.
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
  grep -q -P "^\t+$flag\$" <<<"$headers" || fail "the PE header lacks $flag"
done
grep -q -E '^ +[0-9]+ \.reloc ' <<<"$headers" || fail "no .reloc section: ASLR cannot move the executable"
# The one time it carries: the release's, midnight UTC of its date.
stamp=$(TZ=UTC LC_ALL=C "$triple-objdump" -p "$exe" | sed -n 's/^Time\/Date[[:space:]]*//p')
[ "$(TZ=UTC date -d "$stamp" +%F\ %T)" = "$ZELMAR_RELEASE_DATE 00:00:00" ] ||
  fail "the PE time stamp is $stamp, not the release date $ZELMAR_RELEASE_DATE"
# The stack protector's canary and its failure calls come from the build's
# own stack guard (seeded without the crypto provider), the fortified calls
# from the static libssp, whose members the linker takes only for code that
# calls them; its map beside the executable names each member with the call
# it was taken for.
map=${exe%.exe}.map
[ -f "$map" ] || fail "no link map beside the executable: $map"
grep -A1 -F 'libzelmar_stack_guard.a(' "$map" | grep -q '(__stack_chk_fail)$' ||
  fail "no code calls the stack protector's check, or it is not the build's own"
! grep -q -F 'libssp.a(ssp.o)' "$map" || fail "libssp's canary is linked in: it loads the crypto provider at start-up"
# Every compilation of the project's sources asked for the stack protector
# and for fortified calls (GoogleTest's, built for the tests, keeps its own
# options). Which calls stay fortified is the compiler's: GCC 12 leaves one
# copy whose size it cannot know to __memcpy_chk, GCC 14 (Debian 13) knows
# them all.
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
commands=$(grep -o '"command": "[^"]*"' "$build/compile_commands.json" | grep -F -e " -c $source_dir/" || true)
[ -n "$commands" ] || fail "no compilation of $source_dir is recorded in $build/compile_commands.json"
for flag in -D_FORTIFY_SOURCE=3 -fstack-protector-strong; do
  lacking=$(grep -v -e " $flag " <<<"$commands" | grep -o ' -c [^ "]*' || true)
  [ -z "$lacking" ] || fail "compiled without $flag:$lacking"
done
calls=$(grep -A1 'libssp\.a(' "$map" | grep -o -E '\(__[a-z_]+\)$' | tr -d '()' | sort -u || true)
others=$(grep -v -x -E '__[a-z]+_chk' <<<"$calls" || true)
[ -z "$others" ] || fail "libssp is linked in for more than fortified calls: $others"
echo "protections: ASLR, high-entropy ASLR, DEP, the stack guard, fortified calls; libssp taken for" ${calls:-nothing}

# No DLL beyond those every Windows has, and none that only a screen reader
# needs: oleacc, ole32 and oleaut32 are loaded when one asks.
imports=$("$triple-objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort)
for dll in $imports; do
  case $dll in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which Windows does not ship or start-up does not need" ;;
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
expect "VALUE \"FileVersion\", \"$ZELMAR_VERSION_SHOWN\""
expect "VALUE \"ProductVersion\", \"$ZELMAR_VERSION_SHOWN\""
expect 'VALUE "InternalName", "Zelmar"'
expect 'VALUE "OriginalFilename", "Zelmar.exe"'
expect 'VALUE "Comments", "freeware..."'
expect 'VALUE "Translation", 0x409, 1200'
expect '"\060\060\000\000", 1, 8,'  # the icon: one 48 x 48 image, 8 bits a pixel
expect 'PerMonitorV2'
expect 'Microsoft.Windows.Common-Controls'
expect 'asInvoker'
echo "version record, icon and manifest: ok; $(stat -c %s "$exe") bytes"
