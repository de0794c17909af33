#!/usr/bin/env bash
# The README's promise as a new user meets it: on a minimal Debian 12 made by
# debootstrap, the README's first line of set-up, a clone of one commit, then
# `make test` (with no test skipped), then `make run` under Xvfb until a window
# titled Tallix is mapped; the time each step took.
#
#   check_fresh.sh [COMMIT]     (default: HEAD; as root; the system lives in
#                                FRESH_DIR, default build-fresh/, removed after)
set -euo pipefail

REPO=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
COMMIT=$(git -C "$REPO" rev-parse "${1:-HEAD}")
WORK=${FRESH_DIR:-$REPO/build-fresh}
ROOT=$WORK/root
[ "$(id -u)" = 0 ] || { echo "check_fresh.sh: run as root (debootstrap and chroot need it)" >&2; exit 2; }

# The Debian mirror apt already uses here, so the check reaches no other host.
MIRROR=$(grep -rhoE '^(URIs:|deb)[[:space:]]+[^[:space:]]+/debian/?([[:space:]]|$)' \
    /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null | awk '{print $2; exit}' || true)
MIRROR=${MIRROR:-http://deb.debian.org/debian}

mounted_under() { findmnt -rn -o TARGET | grep -E "^$ROOT(/|$)" | sort -r || true; }
cleanup() {
    local status=$? target
    for target in $(mounted_under); do umount -R "$target" 2>/dev/null || umount -l "$target"; done
    if [ -n "$(mounted_under)" ]; then echo "still mounted under $ROOT; left in place" >&2
    else rm -rf --one-file-system "$WORK"; fi
    return $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { # NAME COMMAND...: runs and times one step
    local begin=$SECONDS
    echo "== $1"
    "${@:2}"
    printf '== %s: %d min %02d s\n' "$1" $(((SECONDS - begin) / 60)) $(((SECONDS - begin) % 60))
}
in_root() { chroot "$ROOT" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    TERM=dumb LANG=C.UTF-8 "$@"; }

make_system() {
    rm -rf --one-file-system "$WORK" && mkdir -p "$WORK"
    debootstrap --variant=minbase bookworm "$ROOT" "$MIRROR" >"$WORK/debootstrap.log" 2>&1 ||
        { tail -n 20 "$WORK/debootstrap.log"; return 1; }
    cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
    mount -t proc proc "$ROOT/proc"
    mount --rbind /sys "$ROOT/sys" && mount --make-rslave "$ROOT/sys"
    mount --rbind /dev "$ROOT/dev" && mount --make-rslave "$ROOT/dev"
    git clone -q --no-local "$REPO" "$ROOT/root/tallix"
    git -C "$ROOT/root/tallix" checkout -q "$COMMIT"
}

# The README's first line of set-up, run exactly as it is written there.
first_needs() {
    local line
    line=$(sed -n 's/^On a fresh Debian 12 machine, first as root: `\([^`]*\)`.*/\1/p' \
        "$ROOT/root/tallix/README.md")
    [ -n "$line" ] || { echo "the README names no first step for a fresh machine"; return 1; }
    echo "$line"
    in_root DEBIAN_FRONTEND=noninteractive sh -c "$line" >/dev/null
}

# A test skipped for want of a tool means the Makefile failed to install it.
make_test() {
    in_root sh -c 'cd /root/tallix && make test' 2>&1 | tee "$WORK/test.log"
    [ "${PIPESTATUS[0]}" = 0 ] && ! grep -E '\*\*\*Skipped|Not Run' "$WORK/test.log"
}

# `make run` on its own display (Xvfb and xdotool came with `make test`)
# until a window titled Tallix is mapped, which it then closes.
make_run() {
    in_root sh -c '
        cd /root/tallix
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>/tmp/display 2>/dev/null & xvfb=$!
        for _ in $(seq 50); do [ -s /tmp/display ] && break; sleep 0.2; done
        export DISPLAY=:$(cat /tmp/display)
        make run >/tmp/run.log 2>&1 & run=$!
        for _ in $(seq 600); do
            found=$(xdotool search --onlyvisible --name "^Tallix\$" 2>/dev/null | head -n 1)
            [ -n "$found" ] || ! kill -0 $run 2>/dev/null && break
            sleep 1
        done
        [ -n "$found" ] && kill "$(xdotool getwindowpid "$found")"
        wait $run; kill $xvfb
        [ -n "$found" ] || { tail -n 20 /tmp/run.log; echo "no window titled Tallix"; exit 1; }'
}

echo "commit $COMMIT on a minimal Debian bookworm from $MIRROR"
step "debootstrap --variant=minbase bookworm, git clone" make_system
step "the README's first step" first_needs
step "make test" make_test
step "make run (until the window is mapped)" make_run
printf '== all steps: %d min %02d s\n' $((SECONDS / 60)) $((SECONDS % 60))
