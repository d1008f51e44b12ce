#!/usr/bin/env bash
# Start-up of Zelmar.exe under Wine against the floor of a Win32 program
# (bare_window.exe: one window, one edit box, one button, built the same
# way): exec to the window mapped and to its first paint, RUNS runs of each,
# interleaved, medians and the ratio Zelmar / bare. Uses mapwait of
# bench/measure, built by scripts/bench. Run by wine_run.sh (prefix and
# display).
#   startup.sh ZELMAR_EXE BARE_EXE MAPWAIT [RUNS]
set -euo pipefail
zelmar=$1
bare=$2
mapwait=$3
runs=${4:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One warm server for both, as on a desktop where Windows is already up.
wineserver -k 2>/dev/null || true
wineserver -p
measure() {  # TITLE EXE -> "map_us paint_us"
  "$mapwait" -S 100 "$1" wine "$2" | sed -n 's/.*map_us=\([0-9]*\) paint_us=\([0-9-]*\).*/\1 \2/p'
}
for _ in 1 2; do measure "Calcolo Zelmar  1.0" "$zelmar" >/dev/null; measure "Bare Win32" "$bare" >/dev/null; done
for _ in $(seq "$runs"); do
  measure "Calcolo Zelmar  1.0" "$zelmar" >>"$work/zelmar"
  measure "Bare Win32" "$bare" >>"$work/bare"
done
median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
zmap=$(cut -d' ' -f1 "$work/zelmar" | median)
zpaint=$(cut -d' ' -f2 "$work/zelmar" | median)
bmap=$(cut -d' ' -f1 "$work/bare" | median)
bpaint=$(cut -d' ' -f2 "$work/bare" | median)
printf 'runs %d each, interleaved; medians in ms\n' "$runs"
printf '%-12s map %7.1f  first paint %7.1f\n' Zelmar.exe "$(echo "$zmap / 1000" | bc -l)" "$(echo "$zpaint / 1000" | bc -l)"
printf '%-12s map %7.1f  first paint %7.1f\n' bare "$(echo "$bmap / 1000" | bc -l)" "$(echo "$bpaint / 1000" | bc -l)"
printf 'ratio        map %7.2f  first paint %7.2f   (goal <= 1.10)\n' "$(echo "$zmap / $bmap" | bc -l)" \
  "$(echo "$zpaint / $bpaint" | bc -l)"
printf 'Zelmar.exe   %d bytes (goal < 1.5 MB)\n' "$(stat -c %s "$zelmar")"
