#!/bin/bash
# compare.sh PROGRAM [RUNS]
# Start-up, memory and input latency of the calculator against the floor of
# any Qt 6 Widgets program (bareqt: one window with a line edit and a button),
# measured in one run on one private Xvfb (1280x1024x24, 96 dpi, no window
# manager, no session bus), the two programs' runs interleaved so that load
# from elsewhere hits both alike.  Prints medians and the ratios PROGRAM/bareqt;
# the ratios, not the absolute times, are what carries from machine to machine.
#
#   map    exec -> the window is mapped
#   paint  exec -> the window's first non-blank contents
#   RSS    resident memory 500 ms after mapping; Dirty = private dirty memory
#   key    XTEST key press -> the window's repaint (a digit typed into the
#          "Gruppi" box, then BackSpace; bareqt: into its line edit)
#   click  press and release of the mouse on the button (release runs the
#          calculation and repaints the results)
# PERF_BUILD names the folder of the built measuring tools, ZELMAR_WINDOW_FACTS
# the window's facts the build wrote; QT_SCALE_FACTOR, when set, is the scale
# both programs run at.
set -u
PROG=${1:?usage: compare.sh PROGRAM [RUNS]}
RUNS=${2:-15}
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The window's title and click points, from its description.
# shellcheck source=/dev/null
source "${ZELMAR_WINDOW_FACTS:?ZELMAR_WINDOW_FACTS: the facts of the window, written by the build}"
TITLE=$ZELMAR_TITLE
source "$HERE/common.sh"
perf_build || exit 1
RAW_DIR=$(mktemp -d -t perf-compare.XXXXXX)
trap 'perf_xvfb_stop; rm -rf "$RAW_DIR"' EXIT
perf_xvfb_start || exit 1
ROWS=("bareqt|bareqt|$PERF_BUILD/bareqt" "zelmar|$TITLE|$PROG")
fails_bareqt=0 fails_zelmar=0
for round in $(seq -1 "$RUNS"); do              # rounds -1 and 0 are warm-ups
    for k in 0 1; do
        IFS='|' read -r name title cmd <<< "${ROWS[$(( (k + round + 2) % 2 ))]}"
        line=$("$PERF_BUILD/mapwait" -S "${SETTLE_MS:-500}" "$title" "$cmd" 2>>"$RAW_DIR/$name.err")
        rc=$?
        if [ $rc -ne 0 ] && [ $rc -ne 3 ]; then eval "fails_$name=\$((fails_$name + 1))"; continue; fi
        [ "$round" -ge 1 ] && echo "$line" >> "$RAW_DIR/$name.raw"
    done
done
perf_xvfb_stop
echo "start-up and memory, $RUNS runs each after 2 warm-ups, interleaved ($(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)):"
perf_header
perf_summarize bareqt "$RAW_DIR/bareqt.raw" "$fails_bareqt" > "$RAW_DIR/bareqt.sum" 2> >(cat >&2)
perf_summarize zelmar "$RAW_DIR/zelmar.raw" "$fails_zelmar" > "$RAW_DIR/zelmar.sum" 2> >(cat >&2)
sleep 0.2
echo "input -> repaint latency, 40 events each (microseconds):"
# The places to click, at the scale the programs run at (QT_SCALE_FACTOR).
at() { awk -v s="${QT_SCALE_FACTOR:-1}" -v p="$1" 'BEGIN { split(p, a, ","); printf "%d,%d", a[1] * s, a[2] * s }'; }
KEYLAT_ARGS="-k 5" "$HERE/keylat.sh" "$PERF_BUILD/bareqt" bareqt 40 "$(at 50,65)" | tee "$RAW_DIR/bareqt.lat"
KEYLAT_ARGS="-k 5 -f $(at "$ZELMAR_CLICK_Gruppi")" "$HERE/keylat.sh" "$PROG" "$TITLE" 40 "$(at "$ZELMAR_CLICK_Calcola")" |
  sed 's/^[^ ]* /zelmar /' |
  tee "$RAW_DIR/zelmar.lat"
echo
echo "ratios zelmar / bareqt (medians; 1.00 = as fast or small as an empty Qt window):"
awk '
FILENAME ~ /\.sum$/ { m[$1] = $3; p[$1] = $4; r[$1] = $5; d[$1] = $7; next }
{ for (i = 1; i <= NF; i++) if ($i ~ /^med_us=/) { split($i, kv, "="); lat[$1 " " $2] = kv[2] } }
END {
  printf "map %.2f  paint %.2f  rss %.2f  dirty %.2f", m["zelmar"]/m["bareqt"], p["zelmar"]/p["bareqt"], r["zelmar"]/r["bareqt"], d["zelmar"]/d["bareqt"]
  if (lat["bareqt key"] && lat["zelmar key"]) printf "  key %.2f", lat["zelmar key"]/lat["bareqt key"]
  if (lat["bareqt release"] && lat["zelmar release"]) printf "  click %.2f", lat["zelmar release"]/lat["bareqt release"]
  printf "\n"
}' "$RAW_DIR/bareqt.sum" "$RAW_DIR/zelmar.sum" "$RAW_DIR/bareqt.lat" "$RAW_DIR/zelmar.lat"
