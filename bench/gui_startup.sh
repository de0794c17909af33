#!/usr/bin/env bash
# Start-up and idle figures of Tallix against two floors and SpeedCrunch,
# under Xvfb. The floors are bare Qt windows of the same size (bare_window):
# one showing one line of text, against which the targets are judged, since
# any window with text starts the font system before its first paint; and
# one showing nothing, for reference.
#
#   bench/gui_startup.sh path/to/tallix        (make bench-gui)
#
# RUNS rounds (default 5) after one unmeasured warm-up round; each round
# starts the four programs one after the other, so that a machine busy with
# other work weighs on all of them alike. For each program and run:
#   map    time from starting the process to its first top-level window being
#          mapped (the MapNotify seen by an xev on the root window), and the
#          CPU time the process had used by then, which a machine busy with
#          other work inflates far less;
#   PSS    proportional resident memory one second after the map
#          (/proc/PID/smaps_rollup);
#   idle   with the pointer resting on a key (Tallix's "5", the same spot of
#          the others' windows), then on the desktop outside the window, for
#          IDLE_SECONDS (default 10) each: the CPU time of the program and of
#          the X server, and the program's wake-ups (the times its threads
#          were put on a CPU), from /proc/PID/task/*/schedstat. The pointer
#          rests on the key first, so the outside figures come once the
#          caret, which blinks for ten seconds after the last input, is still.
# Prints the medians and the ratios against the targets, then checks that a
# keypad button shows its hot look within 100 ms of the pointer's arrival
# (hover_probe, built beside tallix). Exits with 1 when a target is missed.
set -euo pipefail

TALLIX=$(realpath "${1:?usage: gui_startup.sh path/to/tallix}")
RUNS=${RUNS:-5}
IDLE_SECONDS=${IDLE_SECONDS:-10}
BIN=$(dirname "$TALLIX")
PROBE=$BIN/hover_probe
FLOOR=$BIN/bare_window
REFERENCE=speedcrunch

# Targets: Tallix against the floor, and Tallix alone.
MAP_RATIO_TARGET=1.2
PSS_RATIO_TARGET=1.1
OUTSIDE_WAKEUPS_TARGET=1
HOVER_MS_TARGET=100

# Where the pointer rests, as fractions of the window: Tallix's keypad key
# "5", the same spot of the others; and a point of the desktop.
KEY_POINTER="0.1747 0.4545"
OUTSIDE_POINTER="1270 1014"

for tool in Xvfb xev xdotool xwininfo "$REFERENCE"; do
    command -v "$tool" >/dev/null || { echo "gui_startup.sh: $tool is missing (make deps-gui-bench)" >&2; exit 2; }
done
for program in "$PROBE" "$FLOOR"; do
    [ -x "$program" ] || { echo "gui_startup.sh: $program is missing; build the bench targets" >&2; exit 2; }
done

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

# Every program starts as on a fresh account, in the same environment.
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

# "nanoseconds wake-ups": time on a CPU and times put on one, summed over
# the threads of a process.
cpu_and_wakeups() {
    local ns=0 runs=0 run _ slices
    for stat in /proc/"$1"/task/*/schedstat; do
        read -r run _ slices <"$stat" || continue
        ns=$((ns + run)) runs=$((runs + slices))
    done
    echo "$ns $runs"
}

pss_kib() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup"; }

# Prints "x y w h" of a window on the screen.
window_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# Moves the pointer to a point given as "fx fy", fractions of the window's size.
point_at() {
    local fx fy x y w h
    read -r fx fy <<<"$2"
    read -r x y w h < <(window_geometry "$1")
    xdotool mousemove "$(awk -v a="$x" -v b="$w" -v f="$fx" 'BEGIN { printf "%d", a + b * f }')" \
                      "$(awk -v a="$y" -v b="$h" -v f="$fy" 'BEGIN { printf "%d", a + b * f }')"
}

# Starts the program and waits for its first normal top-level window to be
# mapped. Sets APP_PID, MAP_MS to the milliseconds it took and MAP_CPU_NS to
# the CPU time used by then.
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
    read -r MAP_CPU_NS _ < <(cpu_and_wakeups "$APP_PID")
    kill "$XEV_PID" 2>/dev/null || true
    exec {events}<&-
    XEV_PID=""
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}

# Prints "app_ns x_ns app_wakeups" for IDLE_SECONDS of rest.
idle_figures() {
    local app0 wake0 x0 app1 wake1 x1 _
    sleep 1 # the hot look, a focus change and the polls settle before counting
    read -r app0 wake0 < <(cpu_and_wakeups "$APP_PID")
    read -r x0 _ < <(cpu_and_wakeups "$XVFB_PID")
    sleep "$IDLE_SECONDS"
    read -r app1 wake1 < <(cpu_and_wakeups "$APP_PID")
    read -r x1 _ < <(cpu_and_wakeups "$XVFB_PID")
    echo "$((app1 - app0)) $((x1 - x0)) $((wake1 - wake0))"
}

# One run of a program: prints "map_ms map_cpu_ns pss_kib" and the idle
# figures on the key, then outside the window.
measure_once() {
    local window pss on_key
    start_and_time_map "$@"
    sleep 1
    window=$(xdotool search --onlyvisible --pid "$APP_PID" | head -1)
    pss=$(pss_kib "$APP_PID")
    point_at "$window" "$KEY_POINTER"
    on_key=$(idle_figures)
    # shellcheck disable=SC2086 # two coordinates
    xdotool mousemove $OUTSIDE_POINTER
    echo "$MAP_MS $MAP_CPU_NS $pss $on_key $(idle_figures)"
    stop_app
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The median of a column (1 map ms, 2 CPU ns by the map, 3 PSS, 4-6 on the
# key: program ns, X ns, wake-ups; 7-9 the same outside) of a program's runs.
column_median() { awk -v c="$2" '{ print $c }' "$WORK/$1.txt" | median; }

PROGRAMS=(floor bare tallix reference)

# Runs a program by its name; exec keeps the background job's PID the
# program's own.
run_program() {
    case $1 in
        floor) exec "$FLOOR" text ;;
        bare) exec "$FLOOR" ;;
        tallix) exec "$TALLIX" ;;
        reference) exec "$REFERENCE" ;;
    esac
}

# One round: every program once; writes one line per run to $WORK/NAME.txt.
measure_round() {
    local name
    for name in "${PROGRAMS[@]}"; do
        if [ "$1" = warm-up ]; then
            IDLE_SECONDS=0 measure_once run_program "$name" >/dev/null
        else
            measure_once run_program "$name" >>"$WORK/$name.txt"
            echo "  $name run $1: $(tail -1 "$WORK/$name.txt")" >&2
        fi
    done
}

# Sets HOVER to the milliseconds until keypad key "5" shows its hot look after
# the pointer moves onto it from the blank strip between the keypad and the
# function list, or to "none".
measure_hover() {
    local window x y w h
    "$TALLIX" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    window=$(xdotool search --sync --onlyvisible --pid "$APP_PID" | head -1)
    sleep 1
    read -r x y w h < <(window_geometry "$window")
    # Key "5" spans twips 570-945 by 1260-1590 of a 4335 by 3135 client area;
    # the strip at twips 2355 is neither key nor list.
    HOVER=$("$PROBE" $((x + w * 2355 / 4335)) $((y + h * 1425 / 3135)) \
        $((x + w * 570 / 4335)) $((y + h * 1260 / 3135)) $((w * 375 / 4335)) $((h * 330 / 3135))) ||
        true
    stop_app
}

start_xvfb
echo "Measuring under Xvfb $DISPLAY: $RUNS rounds, $IDLE_SECONDS s idle per pointer place" >&2
measure_round warm-up
for run in $(seq "$RUNS"); do
    measure_round "$run"
done
measure_hover

# One line per figure: the medians of Tallix, the floor with text, the bare
# window and SpeedCrunch.
for c in 1 2 3 4 5 6 7 8 9; do
    echo "$(column_median tallix $c) $(column_median floor $c) $(column_median bare $c)" \
         "$(column_median reference $c)"
done >"$WORK/medians.txt"

awk -v runs="$RUNS" -v idle="$IDLE_SECONDS" -v hover="$HOVER" -v maptarget="$MAP_RATIO_TARGET" \
    -v psstarget="$PSS_RATIO_TARGET" -v waketarget="$OUTSIDE_WAKEUPS_TARGET" \
    -v hovertarget="$HOVER_MS_TARGET" '
{ t[NR] = $1; f[NR] = $2; b[NR] = $3; r[NR] = $4 }
function verdict(ok) { if (!ok) missed = 1; return ok ? "met" : "MISSED" }
function ratio(a, c) { return c > 0 ? sprintf("%7.2f", a / c) : sprintf("%7s", "-") }
function row(name, i, scale, format) {
    printf "%-36s " format " " format " %s " format " %s " format, name, t[i] / scale,
           f[i] / scale, ratio(t[i], f[i]), b[i] / scale, ratio(t[i], b[i]), r[i] / scale
}
function pct(ns) { return 100 * ns / (idle * 1e9) }
function cpu(name, i) {
    printf "%-36s %10.3f%% %10.3f%% %7s %10.3f%% %7s %10.3f%%\n", name, pct(t[i]), pct(f[i]), "",
           pct(b[i]), "", pct(r[i])
}
END {
    printf "Start-up and idle under Xvfb, medians of %d interleaved runs\n", runs
    printf "(floor: a bare window with one line of text; bare: the same without it)\n\n"
    printf "%-36s %11s %11s %7s %11s %7s %11s  %s\n", "", "Tallix", "floor", "ratio", "bare",
           "ratio", "SpeedCrunch", "target"
    row("window mapped after (ms)", 1, 1, "%11d")
    printf "  <= %s x floor: %s\n", maptarget, verdict(t[1] <= maptarget * f[1])
    row("CPU used by then (ms)", 2, 1e6, "%11.1f")
    printf "\n"
    row("PSS once shown (MiB)", 3, 1024, "%11.1f")
    printf "  <= %s x floor: %s\n", psstarget, verdict(t[3] <= psstarget * f[3])
    cpu("idle, pointer on a key: program", 4)
    cpu("idle, pointer on a key: X server", 5)
    row("idle, pointer on a key: wake-ups/s", 6, idle, "%11.1f")
    printf "\n"
    cpu("idle, pointer outside: program", 7)
    cpu("idle, pointer outside: X server", 8)
    row("idle, pointer outside: wake-ups/s", 9, idle, "%11.1f")
    printf "  <= %s: %s\n", waketarget, verdict(t[9] / idle <= waketarget)
    shown = hover != "none"
    printf "%-36s %11s  <= %d ms: %s\n", "hot look shown after (ms)", shown ? hover : "never",
           hovertarget, verdict(shown && hover + 0 <= hovertarget)
    exit missed
}' "$WORK/medians.txt"
