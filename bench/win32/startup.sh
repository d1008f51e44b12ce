#!/usr/bin/env bash
# Start-up of Zelmar.exe under Wine against the floor of a Win32 program
# (bare_window.exe: one window, one edit box, one button, built the same
# way): exec to the window mapped and to its first paint, RUNS runs of each,
# interleaved, medians and the ratio Zelmar / bare. Uses mapwait of
# bench/measure, built by scripts/bench. Run by wine_run.sh (prefix and
# display).
#   startup.sh ZELMAR_EXE BARE_EXE MAPWAIT [RUNS]
#
# Nearly every window call of a Wine program is a request to Wine's server,
# where Windows makes a system call. With the program and the server on two
# CPUs, each request waits for the other CPU to wake, which in a virtual
# machine costs up to a tenth of a millisecond: a control made in 0.08 ms on
# one CPU takes 0.9 ms across two, and a window of 19 controls pays that
# wait some nine hundred times more than the bare one does. So the two are
# measured twice: with Wine (its server, the program and the X server) on
# one CPU and mapwait on another, and as the system schedules them.
set -euo pipefail
zelmar=$1
bare=$2
mapwait=$3
runs=${4:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The window's title, from its description.
# shellcheck source=/dev/null
source "${ZELMAR_WINDOW_FACTS:?ZELMAR_WINDOW_FACTS: the facts of the window, written by the build}"

# The CPUs this process may use, as taskset takes them ("0-2,5"), and one
# per word (0 1 2 5).
allowed=$(sed -n 's/^Cpus_allowed_list:\s*//p' /proc/self/status)
cpus=()
IFS=, read -ra ranges <<<"$allowed"
for range in "${ranges[@]}"; do
  for ((cpu = ${range%-*}; cpu <= ${range#*-}; ++cpu)); do cpus+=("$cpu"); done
done

median() { awk -v lines=1 -f "$(dirname "$0")/../measure/median.awk"; }
ms() { echo "$1 / 1000" | bc -l; }

measure() {  # TITLE EXE -> "map_us paint_us", Wine and mapwait on the CPUs set
  taskset -c "$watch_cpus" "$mapwait" -S 100 "$1" taskset -c "$wine_cpus" wine "$2" |
    sed -n 's/.*map_us=\([0-9]*\) paint_us=\([0-9-]*\).*/\1 \2/p'
}

# measure_set NAME WINE_CPUS WATCH_CPUS: one warm server for both, as on a
# desktop where Windows is already up, with Wine (its server, the programs
# and the X server) on WINE_CPUS and mapwait on WATCH_CPUS.
measure_set() {
  # Local, and seen by measure, which this calls.
  local name=$1 wine_cpus=$2 watch_cpus=$3
  wineserver -k 2>/dev/null || true
  taskset -a -p -c "$wine_cpus" "$ZELMAR_X_SERVER_PID" >/dev/null
  taskset -c "$wine_cpus" wineserver -p
  for _ in 1 2; do measure "$ZELMAR_TITLE" "$zelmar" >/dev/null; measure "Bare Win32" "$bare" >/dev/null; done
  : >"$work/zelmar"
  : >"$work/bare"
  for _ in $(seq "$runs"); do
    measure "$ZELMAR_TITLE" "$zelmar" >>"$work/zelmar"
    measure "Bare Win32" "$bare" >>"$work/bare"
  done
  local zmap zpaint bmap bpaint
  zmap=$(cut -d' ' -f1 "$work/zelmar" | median)
  zpaint=$(cut -d' ' -f2 "$work/zelmar" | median)
  bmap=$(cut -d' ' -f1 "$work/bare" | median)
  bpaint=$(cut -d' ' -f2 "$work/bare" | median)
  printf '%s: runs %d each, interleaved; medians in ms\n' "$name" "$runs"
  printf '  %-12s map %7.1f  first paint %7.1f\n' Zelmar.exe "$(ms "$zmap")" "$(ms "$zpaint")"
  printf '  %-12s map %7.1f  first paint %7.1f\n' bare "$(ms "$bmap")" "$(ms "$bpaint")"
  printf 'ratio, %s:  map %.2f  first paint %.2f   (goal <= 1.10)\n' "$name" "$(echo "$zmap / $bmap" | bc -l)" \
    "$(echo "$zpaint / $bpaint" | bc -l)"
}

if [ "${#cpus[@]}" -ge 2 ]; then
  measure_set "Wine on one CPU" "${cpus[0]}" "${cpus[1]}"
  measure_set "Wine across the CPUs" "$allowed" "$allowed"
else
  measure_set "Wine on the one CPU there is" "$allowed" "$allowed"
fi
printf 'Zelmar.exe   %d bytes (goal < 1.5 MB)\n' "$(stat -c %s "$zelmar")"
