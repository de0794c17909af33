#!/usr/bin/env bash
# The manual page keeps in step with --help: every option of the list in
# --help (its lines that begin with the option) appears in the rendered page,
# whatever macros the page is written in.
#
#   check_manual.sh path/to/tallix-cli path/to/tallix-cli.1
#
# Exits with 77 (skipped) without mandoc to render the page.
set -euo pipefail

CLI=${1:?usage: check_manual.sh TALLIX_CLI MANUAL_PAGE}
PAGE=${2:?usage: check_manual.sh TALLIX_CLI MANUAL_PAGE}
command -v mandoc >/dev/null || { echo "SKIP: mandoc is missing"; exit 77; }

rendered=$(mandoc -T ascii "$PAGE" | sed 's/.\x08//g')
options=$("$CLI" --help | grep -E '^ +-' | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)
[ -n "$options" ] || { echo "FAIL: --help names no option"; exit 1; }
missing=0
for option in $options; do
    if ! grep -qF -- "$option" <<<"$rendered"; then
        echo "FAIL: $option is in --help but not in $PAGE"
        missing=1
    fi
done
[ "$missing" = 0 ] && echo "the manual page names all $(wc -w <<<"$options") options of --help"
exit "$missing"
