#!/usr/bin/env bash
# Installs a build tree under /usr into a temporary DESTDIR and checks what a
# distribution checks: the exact file layout (programs alone in bin/), the
# menu entry, the AppStream description and the manual pages against their
# validators, and no RUNPATH in the programs.
#
#   check_install.sh BUILD_DIR
#
# Exits with 77 (skipped) when a validator is missing.
set -euo pipefail

BUILD=${1:?usage: check_install.sh BUILD_DIR}
APP_ID=org.example.Tallix

for tool in desktop-file-validate appstreamcli mandoc readelf; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is missing (desktop-file-utils, appstream, mandoc, binutils)"
        exit 77
    fi
done

STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
DESTDIR=$STAGE cmake --install "$BUILD" --prefix /usr >/dev/null
ROOT=$STAGE/usr
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

expected_layout() {
    printf '%s\n' bin/tallix bin/tallix-cli share/tallix/help.htm \
        "share/applications/$APP_ID.desktop" "share/metainfo/$APP_ID.metainfo.xml" \
        share/man/man1/tallix.1 share/man/man1/tallix-cli.1 \
        "share/icons/hicolor/scalable/apps/$APP_ID.svg"
    for size in 16 32 48 128 256; do
        echo "share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
    done
}
if ! layout=$(diff <(expected_layout | sort) <(cd "$ROOT" && find . -type f -printf '%P\n' | sort)); then
    fail "installed files differ from the expected layout (< expected, > installed):"
    echo "$layout"
fi

desktop-file-validate "$ROOT/share/applications/$APP_ID.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$ROOT/share/metainfo/$APP_ID.metainfo.xml" >"$STAGE/appstream.log" ||
    { cat "$STAGE/appstream.log"; fail "appstreamcli validate"; }
# Warnings and errors judge the pages; mandoc's style notes would also judge
# the machine (which other manuals are installed, how fresh its database is).
mandoc -T lint -W warning "$ROOT"/share/man/man1/*.1 || fail "mandoc -T lint"
# The pages' references to each other, which the style level used to check.
for page in $(sed -n 's/^\.Xr \(tallix[a-z-]*\) 1.*/\1/p' "$ROOT"/share/man/man1/*.1 | sort -u); do
    [ -f "$ROOT/share/man/man1/$page.1" ] || fail "a page refers to $page(1), which is not installed"
done

for program in "$ROOT"/bin/*; do
    if readelf -d "$program" | grep -E 'RUNPATH|RPATH'; then
        fail "$program carries a run-time search path"
    fi
done

[ "$failed" = 0 ] && echo "installed layout, menu entry, metainfo, manual pages: all good"
exit "$failed"
