#!/usr/bin/env bash
# The README's promise, checked the way a new user meets it: a minimal Debian 12
# made by debootstrap, with nothing added but what the README says a fresh
# machine needs first (its first line of set-up), a clone of one commit, then
# `make test`, then `make run` under Xvfb until the window titled Tallix is
# mapped. Prints the time each step took.
#
#   check_fresh.sh [COMMIT]     (default: HEAD; run as root)
#
# FRESH_DIR (default build-fresh/ in the repository) holds the system while it
# runs; it is unmounted and removed afterwards, also on failure or interrupt.
set -euo pipefail

REPO=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
COMMIT=$(git -C "$REPO" rev-parse "${1:-HEAD}")
WORK=${FRESH_DIR:-$REPO/build-fresh}
ROOT=$WORK/root
SUITE=bookworm

if [ "$(id -u)" != 0 ]; then
    echo "check_fresh.sh: run as root (debootstrap and chroot need it)" >&2
    exit 2
fi

# The Debian mirror apt already uses here, so the check reaches no other host.
mirror() {
    local uri
    uri=$(grep -rhoE '^(URIs:|deb)[[:space:]]+[^[:space:]]+/debian/?([[:space:]]|$)' \
        /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null | awk '{print $2}' | head -n 1)
    echo "${uri:-http://deb.debian.org/debian}"
}

mounted_under() { findmnt -rn -o TARGET | grep -E "^$ROOT(/|$)" | sort -r || true; }

cleanup() {
    local status=$? target
    for target in $(mounted_under); do umount -R "$target" 2>/dev/null || umount -l "$target"; done
    if [ -n "$(mounted_under)" ]; then
        echo "check_fresh.sh: still mounted under $ROOT; left in place" >&2
    else
        rm -rf --one-file-system "$WORK"
    fi
    return $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

STARTED=$(date +%s)
step() { # NAME COMMAND...: runs and times one step
    local name=$1 begin=$SECONDS
    shift
    echo "== $name"
    "$@"
    printf '== %s: %d min %02d s\n' "$name" $(((SECONDS - begin) / 60)) $(((SECONDS - begin) % 60))
}
in_root() { chroot "$ROOT" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    TERM=dumb LANG=C.UTF-8 "$@"; }

make_system() {
    rm -rf --one-file-system "$WORK" && mkdir -p "$WORK"
    debootstrap --variant=minbase "$SUITE" "$ROOT" "$(mirror)" >"$WORK/debootstrap.log" 2>&1 ||
        { tail -n 20 "$WORK/debootstrap.log"; return 1; }
    cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
    mount -t proc proc "$ROOT/proc"
    mount --rbind /sys "$ROOT/sys" && mount --make-rslave "$ROOT/sys"
    mount --rbind /dev "$ROOT/dev" && mount --make-rslave "$ROOT/dev"
}

# The README's first line of set-up, run exactly as it is written there.
first_needs() {
    local line
    line=$(sed -n 's/^On a fresh Debian 12 machine, first as root: `\([^`]*\)`.*/\1/p' \
        "$ROOT/root/tallix/README.md")
    [ -n "$line" ] || { echo "the README names no first step for a fresh machine"; return 1; }
    echo "$line"
    in_root env DEBIAN_FRONTEND=noninteractive sh -c "$line" >/dev/null
}

clone() {
    git clone -q --no-local "$REPO" "$ROOT/root/tallix"
    git -C "$ROOT/root/tallix" checkout -q "$COMMIT"
}

# Every test must run: one skipped for want of a tool means the Makefile
# failed to install it, which is what this check is here to catch.
make_test() {
    in_root sh -c 'cd /root/tallix && make test' 2>&1 | tee "$WORK/test.log"
    [ "${PIPESTATUS[0]}" = 0 ] || return 1
    if grep -E '\*\*\*Skipped|Not Run' "$WORK/test.log"; then
        echo "tests were skipped on a machine set up by the Makefile alone"
        return 1
    fi
}

# `make run` on a display of its own; passes once a window titled Tallix is
# mapped, then closes it. xdotool and Xvfb came with `make test`.
make_run() {
    in_root sh -c '
        cd /root/tallix
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>/tmp/display 2>/tmp/xvfb.log &
        xvfb=$!
        for _ in $(seq 50); do [ -s /tmp/display ] && break; sleep 0.2; done
        export DISPLAY=:$(cat /tmp/display)
        make run >/tmp/run.log 2>&1 & run=$!
        found=""
        for _ in $(seq 600); do
            found=$(xdotool search --onlyvisible --name "^Tallix\$" 2>/dev/null | head -n 1)
            [ -n "$found" ] && break
            kill -0 $run 2>/dev/null || break
            sleep 1
        done
        [ -n "$found" ] && kill "$(xdotool getwindowpid "$found")"
        wait $run; kill $xvfb; wait $xvfb
        if [ -z "$found" ]; then tail -n 20 /tmp/run.log; echo "no window titled Tallix"; exit 1; fi
        echo "window $found titled Tallix is mapped"'
}

echo "commit $COMMIT on a minimal Debian $SUITE from $(mirror)"
step "debootstrap --variant=minbase $SUITE" make_system
step "git clone" clone
step "the README's first step" first_needs
step "make test" make_test
step "make run (until the window is mapped)" make_run
printf '== all steps: %d min %02d s\n' $((($(date +%s) - STARTED) / 60)) $((($(date +%s) - STARTED) % 60))
