#!/usr/bin/env bash
# Whole-process times of shiftcal with hyperfine (several runs; read the medians), each beside
# its baseline:
#   shiftcal table 1583-01-01..2599-12-31, CSV to a file, per scheme, against cli_bare_writer
#   writing the same bytes through the same buffered writer (aim: within 1.5 times);
#   shiftcal month against ncal -w (aim: within 2 times).
# Usage: bench/cli_bench.sh [BUILD_DIR]   (default build/release; needs the Release build with
# benchmarks, e.g. `make bench`, and the packages hyperfine and ncal)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
shiftcal=$build/cli/shiftcal
bare=$build/bench/cli_bare_writer
[ -x "$bare" ] || bare=$build/cli_bare_writer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for scheme in sudra norda; do
    table="$shiftcal table --from 1583-01-01 --to 2599-12-31 --scheme $scheme"
    $table -o "$work/reference-$scheme.csv"
    hyperfine -N --warmup 3 --runs 40 --export-json "$work/table-$scheme.json" \
        "$table -o $work/$scheme.csv" \
        "$bare $work/reference-$scheme.csv $work/copy-$scheme.csv"
done
hyperfine -N --warmup 10 --runs 200 --export-json "$work/month.json" \
    "$shiftcal month" "ncal -w"

echo
echo "medians (ms):"
for f in "$work"/table-*.json "$work"/month.json; do
    # hyperfine's JSON lists each result's "command" before its "median" (seconds).
    awk -F': ' '/"command"/ {gsub(/^"|",?$/, "", $2); command = $2}
                /"median"/  {gsub(/,$/, "", $2); printf "%8.2f  %s\n", $2 * 1000, command}' "$f"
done
