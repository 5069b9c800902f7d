#!/usr/bin/env bash
# Runs one test program of the sanitizer build: run-sanitized.sh COMMAND [ARGS...]
# LeakSanitizer's exit-time check stops every thread with a tracer that now and then crashes
# itself ("Tracer caught signal 11"), a fault of the runtime seen on CI machines with software
# GL's threads about, reported after the tests have passed. That crash says nothing about the
# program, so such a run is repeated, and after three of them run once more without the leak
# check; AddressSanitizer and UBSan stay on, and a real leak report is never retried.
set -uo pipefail

output=$(mktemp)
trap 'rm -f "$output"' EXIT

tracer_crashed() {
    grep -q 'Tracer caught signal' "$output" &&
        grep -q 'LeakSanitizer has encountered a fatal error' "$output"
}

for attempt in 1 2 3; do
    "$@" >"$output" 2>&1
    status=$?
    if [ $status -eq 0 ] || ! tracer_crashed; then
        cat "$output"
        exit $status
    fi
    echo "run-sanitized: attempt $attempt: the leak checker's tracer crashed; again" >&2
done
echo "run-sanitized: leak check left out after three tracer crashes" >&2
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$@"
