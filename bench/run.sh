#!/usr/bin/env bash
# Runs every benchmark program built in build-bench (bench/bench_*) and prints its results.
# `make bench` builds them first. Extra arguments go to every program (e.g. a filter).
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
found=0
for program in build-bench/bench/bench_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    found=1
    echo
    echo "==== $(basename "$program") ===="
    "$program" "$@" || status=1
done
if [ "$found" -eq 0 ]; then
    echo "No benchmark programs in build-bench/bench; run 'make bench'." >&2
    exit 1
fi
exit "$status"
