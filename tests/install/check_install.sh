#!/usr/bin/env bash
# Installs a build tree under /usr into a temporary DESTDIR and checks what a
# distribution checks: the exact file layout (programs alone in bin/, the
# Wayland module in a folder of its own under the library folder), the menu
# entry, the AppStream description and the manual pages (with their references
# to each other) against their validators, and no run-time search path.
#
#   check_install.sh BUILD_DIR      (exits 77, skipped, without a validator)
set -euo pipefail

APP=org.example.Tallix
for tool in desktop-file-validate appstreamcli mandoc readelf; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool (desktop-file-utils, appstream, mandoc, binutils)"; exit 77; }
done
MODULES=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$1/CMakeCache.txt")/tallix
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
DESTDIR=$STAGE cmake --install "$1" --prefix /usr >/dev/null
cd "$STAGE/usr"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

expected() {
    printf '%s\n' bin/tallix bin/tallix-cli share/tallix/help.htm share/applications/$APP.desktop \
        share/metainfo/$APP.metainfo.xml share/man/man1/tallix.1 share/man/man1/tallix-cli.1 \
        share/icons/hicolor/scalable/apps/$APP.svg "$MODULES/tallix-wayland.so"
    for size in 16 32 48 128 256; do echo "share/icons/hicolor/${size}x$size/apps/$APP.png"; done
}
diff <(expected | sort) <(find . -type f -printf '%P\n' | sort) ||
    fail "installed files differ from the expected layout (< expected, > installed)"
desktop-file-validate share/applications/$APP.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net share/metainfo/$APP.metainfo.xml || fail "appstreamcli validate"
# Warnings and errors only: mandoc's style notes would judge the machine's manuals.
mandoc -T lint -W warning share/man/man1/*.1 || fail "mandoc -T lint"
for page in $(sed -n 's/^\.Xr \(tallix[a-z-]*\) 1.*/\1/p' share/man/man1/*.1 | sort -u); do
    [ -f "share/man/man1/$page.1" ] || fail "a page refers to $page(1), which is not installed"
done
for program in bin/* "$MODULES"/*; do
    ! readelf -d "$program" | grep -E 'RUNPATH|RPATH' || fail "$program carries a run-time search path"
done
exit "$failed"
