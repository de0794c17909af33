#!/usr/bin/env bash
# Start-up and idle figures of Tallix against SpeedCrunch, under Xvfb.
#
#   bench/gui_startup.sh path/to/tallix        (make bench-gui)
#
# For each program, RUNS times (default 5), after one unmeasured warm-up run:
#   map   time from starting the process to its first top-level window being
#         mapped (the MapNotify seen by an xev on the root window);
#   PSS   proportional resident memory one second after the map
#         (/proc/PID/smaps_rollup);
#   idle  CPU time used during IDLE_SECONDS (default 20) with the pointer
#         resting over the keypad, by the program and by the X server, from
#         the scheduler's nanosecond counters (/proc/PID/task/*/schedstat).
# Prints the medians and the ratios against the targets, then checks that
# a keypad button shows its hot look within 100 ms of the pointer's arrival
# (hover_probe, built beside tallix). Exits with 1 when a target is missed.
set -euo pipefail

TALLIX=$(realpath "${1:?usage: gui_startup.sh path/to/tallix}")
RUNS=${RUNS:-5}
IDLE_SECONDS=${IDLE_SECONDS:-20}
PROBE=$(dirname "$TALLIX")/hover_probe
REFERENCE=speedcrunch

# Targets: Tallix against SpeedCrunch, and Tallix with the X server idling.
MAP_RATIO_TARGET=0.6
PSS_RATIO_TARGET=0.6
IDLE_PERCENT_TARGET=0.3
HOVER_MS_TARGET=100

# Where the pointer rests, as fractions of the window: Tallix's keypad key
# "5"; the middle of SpeedCrunch's window.
TALLIX_POINTER="0.1747 0.4545"
REFERENCE_POINTER="0.5 0.5"

for tool in Xvfb xev xdotool xwininfo "$REFERENCE"; do
    command -v "$tool" >/dev/null || { echo "gui_startup.sh: $tool is missing (make deps-gui-bench)" >&2; exit 2; }
done
[ -x "$PROBE" ] || { echo "gui_startup.sh: $PROBE is missing; build the hover_probe target" >&2; exit 2; }

WORK=$(mktemp -d)
XVFB_PID=""
APP_PID=""
XEV_PID=""

cleanup() {
    for pid in $APP_PID $XEV_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# Both programs start as on a fresh account, in the same environment.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_DATA_HOME=$WORK/home/.local/share \
       XDG_CACHE_HOME=$WORK/home/.cache XDG_RUNTIME_DIR=$WORK/runtime QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"

start_xvfb() {
    local display
    for display in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display"
    for _ in $(seq 200); do
        xwininfo -root >/dev/null 2>&1 && return
        sleep 0.05
    done
    echo "gui_startup.sh: Xvfb did not start" >&2
    exit 2
}

now_us() { echo "${EPOCHREALTIME/./}"; }

# Nanoseconds on a CPU, summed over the threads of a process.
cpu_ns() {
    local total=0 run _
    for stat in /proc/"$1"/task/*/schedstat; do
        read -r run _ <"$stat" || continue
        total=$((total + run))
    done
    echo "$total"
}

pss_kib() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup"; }

# Moves the pointer to a point given as "fx fy", fractions of the window's size.
point_at() {
    local window=$1 fx fy x y w h
    read -r fx fy <<<"$2"
    read -r x y w h < <(xwininfo -id "$window" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
    xdotool mousemove "$(awk -v a="$x" -v b="$w" -v f="$fx" 'BEGIN { printf "%d", a + b * f }')" \
                      "$(awk -v a="$y" -v b="$h" -v f="$fy" 'BEGIN { printf "%d", a + b * f }')"
}

# Starts the program and waits for its first normal top-level window to be
# mapped. Sets APP_PID, and MAP_MS to the milliseconds it took.
start_and_time_map() {
    local xev_out=$WORK/xev.fifo line t0
    rm -f "$xev_out" && mkfifo "$xev_out"
    stdbuf -oL xev -root -event substructure >"$xev_out" 2>/dev/null &
    XEV_PID=$!
    exec {events}<"$xev_out"
    sleep 0.3 # xev selects its events before the program starts
    t0=$(now_us)
    "$@" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    while read -r -t 30 line <&"$events"; do
        [[ $line == MapNotify* ]] || continue
        read -r -t 1 line <&"$events" # "event 0x.., window 0x.., override NO"
        [[ $line == *"override NO"* ]] && break
    done
    MAP_MS=$((($(now_us) - t0) / 1000))
    kill "$XEV_PID" 2>/dev/null || true
    exec {events}<&-
    XEV_PID=""
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}

# One run: prints "map_ms pss_kib app_idle_ns x_idle_ns".
measure_once() {
    local pointer=$1 window pss app0 x0 app1 x1
    shift
    start_and_time_map "$@"
    sleep 1
    window=$(xdotool search --onlyvisible --pid "$APP_PID" | head -1)
    pss=$(pss_kib "$APP_PID")
    point_at "$window" "$pointer"
    sleep 1 # the hot look and any focus change settle before counting
    app0=$(cpu_ns "$APP_PID") x0=$(cpu_ns "$XVFB_PID")
    sleep "$IDLE_SECONDS"
    app1=$(cpu_ns "$APP_PID") x1=$(cpu_ns "$XVFB_PID")
    echo "$MAP_MS $pss $((app1 - app0)) $((x1 - x0))"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs a program RUNS times after a warm-up; writes one line per run to $1.
measure_program() {
    local out=$1 pointer=$2
    shift 2
    IDLE_SECONDS=1 measure_once "$pointer" "$@" >/dev/null
    stop_app
    : >"$out"
    for run in $(seq "$RUNS"); do
        measure_once "$pointer" "$@" >>"$out"
        stop_app
        echo "  $(basename "$1") run $run: $(tail -1 "$out")" >&2
    done
}

column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }

# Sets HOVER to the milliseconds until keypad key "5" shows its hot look after
# the pointer moves onto it from the blank strip between the keypad and the
# function list, or to "none".
measure_hover() {
    local window x y w h
    "$TALLIX" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    window=$(xdotool search --sync --onlyvisible --pid "$APP_PID" | head -1)
    sleep 1
    read -r x y w h < <(xwininfo -id "$window" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
    # Key "5" spans twips 570-945 by 1260-1590 of a 4335 by 3135 client area;
    # the strip at twips 2355 is neither key nor list.
    HOVER=$("$PROBE" $((x + w * 2355 / 4335)) $((y + h * 1425 / 3135)) \
        $((x + w * 570 / 4335)) $((y + h * 1260 / 3135)) $((w * 375 / 4335)) $((h * 330 / 3135))) ||
        true
    stop_app
}

start_xvfb
echo "Measuring under Xvfb $DISPLAY: $RUNS runs each, $IDLE_SECONDS s idle per run" >&2
measure_program "$WORK/tallix.txt" "$TALLIX_POINTER" "$TALLIX"
measure_program "$WORK/reference.txt" "$REFERENCE_POINTER" "$REFERENCE"
measure_hover

read -r T_MAP T_PSS T_APP T_X < <(for c in 1 2 3 4; do column_median "$WORK/tallix.txt" $c; done | xargs)
read -r R_MAP R_PSS R_APP R_X < <(for c in 1 2 3 4; do column_median "$WORK/reference.txt" $c; done | xargs)
# The idle share of one core uses the median of the per-run sums.
T_BOTH=$(awk '{ print $3 + $4 }' "$WORK/tallix.txt" | median)
R_BOTH=$(awk '{ print $3 + $4 }' "$WORK/reference.txt" | median)

awk -v runs="$RUNS" -v idle="$IDLE_SECONDS" \
    -v tmap="$T_MAP" -v rmap="$R_MAP" -v tpss="$T_PSS" -v rpss="$R_PSS" \
    -v tapp="$T_APP" -v rapp="$R_APP" -v tx="$T_X" -v rx="$R_X" -v tboth="$T_BOTH" -v rboth="$R_BOTH" \
    -v hover="$HOVER" -v maptarget="$MAP_RATIO_TARGET" -v psstarget="$PSS_RATIO_TARGET" \
    -v idletarget="$IDLE_PERCENT_TARGET" -v hovertarget="$HOVER_MS_TARGET" '
function pct(ns) { return 100 * ns / (idle * 1e9) }
function verdict(ok) { if (!ok) missed = 1; return ok ? "met" : "MISSED" }
BEGIN {
    printf "Start-up and idle under Xvfb, medians of %d runs\n\n", runs
    printf "%-34s %12s %12s %8s  %s\n", "", "Tallix", "SpeedCrunch", "ratio", "target"
    printf "%-34s %12d %12d %8.2f  <= %s: %s\n", "window mapped after (ms)", tmap, rmap,
           tmap / rmap, maptarget, verdict(tmap / rmap <= maptarget)
    printf "%-34s %12.1f %12.1f %8.2f  <= %s: %s\n", "PSS once shown (MiB)", tpss / 1024,
           rpss / 1024, tpss / rpss, psstarget, verdict(tpss / rpss <= psstarget)
    printf "%-34s %11.3f%% %11.3f%%\n", "idle " idle " s, program (% of a core)", pct(tapp), pct(rapp)
    printf "%-34s %11.3f%% %11.3f%%\n", "idle " idle " s, X server", pct(tx), pct(rx)
    printf "%-34s %11.3f%% %11.3f%% %8s  <= %s%%: %s\n", "idle " idle " s, program and X", pct(tboth),
           pct(rboth), "", idletarget, verdict(pct(tboth) <= idletarget)
    shown = hover != "none"
    printf "%-34s %12s %12s %8s  <= %d ms: %s\n", "hot look shown after (ms)", shown ? hover : "never",
           "", "", hovertarget, verdict(shown && hover + 0 <= hovertarget)
    exit missed
}'
