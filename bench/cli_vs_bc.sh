#!/usr/bin/env bash
# Lines per second of tallix-cli and of `bc -l` on the same short expressions,
# each written in its tool's syntax, measured side by side in one run.
# Usage: cli_vs_bc.sh TALLIX_CLI [LINES]
set -euo pipefail

cli=$1
lines=${2:-400000}
target=15
runs=2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One awk pass writes both files, line for line the same calculation: sums,
# products, quotients, integer powers, square roots and the functions bc -l
# knows (s c a l e), on numbers with up to two decimals.
awk -v lines="$lines" -v tallix="$work/in.tallix" -v bc="$work/in.bc" 'BEGIN {
    srand(20240611)
    for (i = 0; i < lines; ++i) {
        a = int(rand() * 10000) * 0.01; b = int(rand() * 99) + 1; c = int(rand() * 400) * 0.01 + 0.5
        k = i % 8
        if (k == 0)      { t = "(" a "+" b ")*" c "/" b;         u = t }
        else if (k == 1) { t = a "-" b "*" c "+" c "^3";         u = t }
        else if (k == 2) { t = "sqr(" a ")*" c;                  u = "sqrt(" a ")*" c }
        else if (k == 3) { t = "(" a "-" c ")/(" b "+" c ")-1.5"; u = t }
        else if (k == 4) { t = "sin(" c ")+cos(" c ")";          u = "s(" c ")+c(" c ")" }
        else if (k == 5) { t = "log(" a "+1)*" b;                u = "l(" a "+1)*" b }
        else if (k == 6) { t = "exp(" c ")-" a;                  u = "e(" c ")-" a }
        else             { t = "atan(" c "/" b ")+" a "^2";      u = "a(" c "/" b ")+" a "^2" }
        print t > tallix; print u > bc
    }
}'

# Best wall-clock seconds of $runs runs of "$@" < $1 > $2.
best_time() {
    local input=$1 output=$2 best="" t
    shift 2
    for ((r = 0; r < runs; ++r)); do
        local start end
        start=$(date +%s.%N)
        "$@" <"$input" >"$output"
        end=$(date +%s.%N)
        t=$(awk -v s="$start" -v e="$end" 'BEGIN { print e - s }')
        best=$(awk -v b="$best" -v t="$t" 'BEGIN { print (b == "" || t < b) ? t : b }')
    done
    echo "$best"
}

tallix_time=$(best_time "$work/in.tallix" "$work/out.tallix" "$cli")
bc_time=$(BC_LINE_LENGTH=0 best_time "$work/in.bc" "$work/out.bc" bc -l)

# Both must have answered every line with the same value, to float precision.
paste -d' ' "$work/out.tallix" "$work/out.bc" | awk -v lines="$lines" '
    { d = $1 - $2; m = ($2 < 0 ? -$2 : $2); if ((d < 0 ? -d : d) > 1e-5 * (m > 1 ? m : 1)) bad++ }
    END { if (NR != lines || bad) { printf "outputs differ: %d lines, %d mismatches\n", NR, bad; exit 1 } }'

awk -v n="$lines" -v runs="$runs" -v t="$tallix_time" -v b="$bc_time" -v target="$target" 'BEGIN {
    printf "%d lines, best of %d runs each\n", n, runs
    printf "  tallix-cli  %12.0f lines/s  (%.3f s)\n", n / t, t
    printf "  bc -l       %12.0f lines/s  (%.3f s)\n", n / b, b
    printf "  ratio       %12.1fx  (target %dx: %s)\n", b / t, target, (b / t >= target ? "met" : "NOT met")
}'
