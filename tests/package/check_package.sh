#!/usr/bin/env bash
# Installs the Debian package with apt-get and checks it as a user meets it:
# tallix-cli calculates, and the window's Help asks the desktop for the page
# under /usr/share (a stand-in xdg-open, first on PATH, records what Qt hands
# it). Then purges the package and checks that none of its files is left.
#
#   check_package.sh path/to/tallix_VERSION_ARCH.deb     (make check-package)
#
# Replaces an installed tallix package, and purges it at the end.
set -euo pipefail

DEB=$(realpath "${1:?usage: check_package.sh path/to/tallix_VERSION_ARCH.deb}")
PAGE=/usr/share/tallix/help.htm
# Help's place in the window, as fractions of its size: the centre of the
# Help button (left 2205, top 2670, 870 by 330 twips of a 4335 by 3135 area).
HELP_AT="0.609 0.904"

SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
WORK=$(mktemp -d)
XVFB_PID=""
APP_PID=""
cleanup() {
    for pid in $APP_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "check_package: FAIL: $*" >&2
    exit 1
}

install_package() {
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --reinstall "$DEB" >"$WORK/apt.log" 2>&1 ||
        { cat "$WORK/apt.log"; fail "apt-get install $DEB"; }
    dpkg -L tallix >"$WORK/files"
    echo "installed $(basename "$DEB"): $(wc -l <"$WORK/files") paths"
}

check_cli() {
    local answer
    answer=$(/usr/bin/tallix-cli 1+1)
    [ "$answer" = 2 ] || fail "tallix-cli 1+1 printed '$answer'"
    echo "tallix-cli 1+1: $answer"
}

# Starts an X server of its own and the installed window in it, on a fresh
# account, with the recording xdg-open first on PATH; sets WINDOW.
start_window() {
    mkdir -p "$WORK/bin" "$WORK/home" && mkdir -m 700 "$WORK/runtime"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$WORK/opened" >"$WORK/bin/xdg-open"
    chmod +x "$WORK/bin/xdg-open"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    [ -s "$WORK/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(cat "$WORK/display")" QT_QPA_PLATFORM=xcb PATH="$WORK/bin:$PATH" \
           HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime"
    unset WAYLAND_DISPLAY BROWSER
    /usr/bin/tallix >"$WORK/tallix.log" 2>&1 &
    APP_PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --pid "$APP_PID" --name '^Tallix$' | head -1) || true
}

check_help() {
    local x y
    start_window
    [ -n "$WINDOW" ] || { cat "$WORK/tallix.log"; fail "the window did not appear"; }
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    read -r x y <<<"$HELP_AT"
    xdotool mousemove --window "$WINDOW" "$(awk "BEGIN{print int($WIDTH*$x)}")" \
        "$(awk "BEGIN{print int($HEIGHT*$y)}")" click 1
    for _ in $(seq 50); do [ -s "$WORK/opened" ] && break; sleep 0.1; done
    [ -s "$WORK/opened" ] || fail "Help asked the desktop for nothing"
    local asked
    asked=$(cat "$WORK/opened")
    [ "${asked#file://}" = "$PAGE" ] || fail "Help asked for '$asked', not $PAGE"
    echo "Help asked the desktop for: $asked"
}

purge_package() {
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get purge -y tallix >"$WORK/apt.log" 2>&1 ||
        { cat "$WORK/apt.log"; fail "apt-get purge tallix"; }
    ! dpkg -s tallix >/dev/null 2>&1 || fail "dpkg still knows tallix"
    # Shared folders such as /usr/share stay, of course; the package's own
    # files, and the folders named after it, must not.
    local left
    left=$(while read -r path; do
        if [ -e "$path" ] && { [ ! -d "$path" ] || [[ $path == *tallix* ]]; }; then echo "$path"; fi
    done <"$WORK/files")
    [ -z "$left" ] || fail "left after the purge: $left"
    echo "purged: none of the $(wc -l <"$WORK/files") paths of the package is left"
}

for tool in Xvfb xdotool apt-get; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
install_package
check_cli
check_help
purge_package
