#!/usr/bin/env bash
# The executable's exploit protections, as Debian's hardening-check reads
# them from the binary, and the flags behind them in every compilation.
#   hardening_test.sh EXECUTABLE BUILD_DIR
#
# hardening-check can only see a protection where the code gives it
# something to show, and two of its findings depend on more than the flags:
# - fortified calls show as __*_chk imports, which the compiler only makes
#   for a call whose buffer size it knows and whose length it does not;
# - stack clash probes only appear in a frame of a page or more;
# - the CET marking (IBT, SHSTK) is only kept by the linker when every
#   object carries it, the C library's start-up files too.
# Where the binary cannot show one of them, the test checks that every
# compilation asked for it and that nothing else lacks it.
set -euo pipefail
exe=$1
build=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

report=$(hardening-check --verbose "$exe" 2>&1) || true
echo "$report"
has() { grep -q -x -F -- "$1" <<<"$report"; }
for protection in 'Position Independent Executable: yes' 'Stack protected: yes' \
                  'Read-only relocations: yes' 'Immediate binding: yes'; do
  has " $protection" || fail "hardening-check does not find: $protection"
done

# Every compilation, the executable's and the rest, asked for every
# protection.
commands=$(grep -o '"command": "[^"]*"' "$build/compile_commands.json")
[ -n "$commands" ] || fail "no compilation is recorded in $build/compile_commands.json"
for flag in -D_FORTIFY_SOURCE=3 -fstack-protector-strong -fstack-clash-protection -fcf-protection '-fPI[CE]'; do
  lacking=$(grep -v -e " $flag " <<<"$commands" | grep -o ' -c [^ "]*' || true)
  [ -z "$lacking" ] || fail "compiled without $flag:$lacking"
done

# Fortified: if no call could be checked, the only unprotected ones are the
# block moves that the C++ library makes into memory sized at run time.
if ! has ' Fortify Source functions: yes (some protected functions found)'; then
  has ' Fortify Source functions: no, only unprotected functions found!' ||
    has ' Fortify Source functions: unknown, no protectable libc functions used' ||
    fail "hardening-check's fortification finding is not understood"
  unprotected=$(sed -n 's/^\tunprotected: //p' <<<"$report" | sort)
  others=$(grep -v -x -e memcpy -e memmove -e memset <<<"$unprotected" || true)
  [ -z "$others" ] || fail "libc calls that fortification should have checked: $(echo $others)"
fi

# Stack clash: probes, or no frame that needs them.
has ' Stack clash protection: yes' ||
  has ' Stack clash protection: unknown, no -fstack-clash-protection instructions found' ||
  fail "stack clash protection is missing"

# CET: marked, or lost only to a start-up file of the C library; every
# object of ours is marked.
if ! has ' Control flow integrity: yes'; then
  unmarked=$(for file in crt1.o Scrt1.o crti.o crtn.o; do
    path=$(cc -print-file-name="$file")
    readelf -n "$path" | grep -q 'x86 feature: IBT, SHSTK' || echo "$file"
  done)
  [ -n "$unmarked" ] || fail "the executable lacks the CET marking, though the C library's start-up files have it"
  echo "the C library's start-up files without the CET marking: $(echo $unmarked)"
fi
objects=$(grep -o ' -o [^ "]*\.o' <<<"$commands" | sed 's/^ -o //')
for object in $objects; do
  readelf -n "$build/$object" | grep -q 'x86 feature: IBT, SHSTK' || fail "$object lacks the CET marking"
done
echo "hardening: ok"
