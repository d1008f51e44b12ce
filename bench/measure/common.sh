# Sourced by compare.sh and keylat.sh. The measuring tools (mapwait, keylat,
# bareqt) are built by the bench build (scripts/bench); PERF_BUILD names
# the folder they are in. Starts a private Xvfb and sets the environment
# that every measured program gets.
PERF_BUILD=${PERF_BUILD:?PERF_BUILD: the folder of the built measuring tools}
PERF_MEASURE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The measured programs' home: PERF_HOME, or a folder of its own made at
# the start and removed at the stop.
PERF_HOME=${PERF_HOME:-}

perf_build() {
    local tool
    for tool in mapwait keylat bareqt; do
        [ -x "$PERF_BUILD/$tool" ] || { echo "$PERF_BUILD/$tool is not built (scripts/bench builds it)" >&2; return 1; }
    done
}

# perf_xvfb_start: sets XVFB_PID and DISPLAY.  No window manager, no session
# bus, no accessibility bus: the same bare conditions for every program.
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/common/private_x_server.sh"
perf_xvfb_start() {
    start_private_x_server 1280x1024x24 -dpi 96 -noreset -br || return 1
    if [ -z "$PERF_HOME" ]; then
        PERF_HOME=$(mktemp -d -t perf-home.XXXXXX)
        PERF_HOME_MADE=$PERF_HOME
    fi
    mkdir -p "$PERF_HOME/run" "$PERF_HOME/.config" "$PERF_HOME/.cache" "$PERF_HOME/.local/share"
    chmod 700 "$PERF_HOME/run"
    export HOME="$PERF_HOME" XDG_RUNTIME_DIR="$PERF_HOME/run"
    # A bus address that fails at once: no session bus, no AT-SPI bridge,
    # and no dbus-launch autolaunch leaving a daemon behind.
    export DBUS_SESSION_BUS_ADDRESS=${PERF_DBUS_ADDRESS:-unix:path=/nonexistent/perf-no-bus}
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER GTK_MODULES QT_QPA_PLATFORMTHEME
}

# perf_bus_start: a private D-Bus session bus (BUS_PID); programs that ask for
# the accessibility bus get at-spi-bus-launcher activated by it, and those
# helpers exit by themselves when this bus goes away.
perf_bus_start() {
    local af i
    af=$(mktemp -t perf-bus.XXXXXX)
    dbus-daemon --session --nofork --print-address=3 3>"$af" >/dev/null 2>&1 &
    BUS_PID=$!
    for i in $(seq 100); do [ -s "$af" ] && break; sleep 0.05; done
    [ -s "$af" ] || { echo "dbus-daemon did not start" >&2; rm -f "$af"; return 1; }
    export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$af")
    rm -f "$af"
}

perf_xvfb_stop() {
    if [ -n "${BUS_PID:-}" ]; then kill "$BUS_PID" 2>/dev/null; wait "$BUS_PID" 2>/dev/null; BUS_PID=; sleep 0.5; fi
    stop_private_x_server
    if [ -n "${PERF_HOME_MADE:-}" ]; then
        rm -rf "$PERF_HOME_MADE"
        PERF_HOME= PERF_HOME_MADE=
    fi
}

perf_header() {
    printf '%-15s %4s | %-21s | %-21s | %-19s | %6s | %6s\n' \
        name runs "map ms med(min-max)" "paint ms med(min-max)" "RSS MiB med(min-max)" "HWM" "Dirty"
}

# perf_summarize NAME RAWFILE FAILS: medians/min/max of mapwait lines; the
# human line goes to stderr, the machine line to stdout:
#   name n map_us paint_us rss_kb hwm_kb dirty_kb (medians) fails
perf_summarize() {
    awk -v name="$1" -v fails="${3:-0}" -f "$PERF_MEASURE/median.awk" -f /dev/stdin "$2" <<'AWK'
    { for (f = 1; f <= NF; f++) { split($f, kv, "="); v[kv[1], NR] = kv[2] } }
    END {
        n = NR
        if (n == 0) { printf "%-15s %4d | no successful runs (%d failed)\n", name, 0, fails > "/dev/stderr"; exit 1 }
        split("map_us paint_us rss_kb hwm_kb dirty_kb", keys, " ")
        for (k = 1; k <= 5; k++) {
            for (r = 1; r <= n; r++) a[r] = v[keys[k], r]
            m[k] = median(a, n); lo[k] = a[1]; hi[k] = a[n]
        }
        printf "%-15s %4d | %6.1f (%5.1f-%6.1f) | %6.1f (%5.1f-%6.1f) | %5.1f (%5.1f-%5.1f) | %6.1f | %6.1f%s\n",
            name, n, m[1]/1e3, lo[1]/1e3, hi[1]/1e3, m[2]/1e3, lo[2]/1e3, hi[2]/1e3,
            m[3]/1024, lo[3]/1024, hi[3]/1024, m[4]/1024, m[5]/1024, fails ? "  FAILED RUNS: " fails : "" > "/dev/stderr"
        printf "%s %d %.0f %.0f %.0f %.0f %.0f %d\n", name, n, m[1], m[2], m[3], m[4], m[5], fails
    }
AWK
}

# median: the median of the numbers on the standard input, one a line.
median() { awk -v lines=1 -f "$PERF_MEASURE/median.awk"; }
