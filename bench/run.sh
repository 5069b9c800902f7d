#!/usr/bin/env bash
# Runs every benchmark program built in build-bench (bench/bench_*) and prints its results,
# then the frame benchmark of the game (bench/frames.sh: frames per second and frame work
# beside the floor, start-up, peak memory; on its own virtual display) and the click-to-reaction
# latency after bursts of pointer motion (bench/latency.sh).
# `make bench` builds them first. Extra arguments go to every program (e.g. a filter);
# VOSSA_BENCH_FRAMES=0 skips the frame benchmark, VOSSA_BENCH_LATENCY=0 the latency one.
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
if [ "${VOSSA_BENCH_FRAMES:-1}" != 0 ]; then
    echo
    echo "==== frames ===="
    bash bench/frames.sh || status=1
fi
if [ "${VOSSA_BENCH_LATENCY:-1}" != 0 ]; then
    echo
    echo "==== latency ===="
    bash bench/latency.sh || status=1
fi
exit "$status"
