#!/usr/bin/env bash
# Every test of the project: the unit, GL and end-to-end tests of the normal build, the same
# suite under AddressSanitizer + UndefinedBehaviorSanitizer, then each fuzz target for a fixed
# time. Runs on a virtual X server of its own. Exit status non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
fuzz_seconds=${VOSSA_FUZZ_SECONDS:-20}
failed=()

export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

step() { echo; echo "==== $* ===="; }

step "Tests (build)"
scripts/with-display.sh ctest --test-dir build --output-on-failure -j "$jobs" --repeat until-pass:2 || failed+=("tests")

step "Tests under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan)"
if cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVOSSA_SANITIZE=ON >/dev/null &&
   cmake --build build-asan -j "$jobs"; then
    scripts/with-display.sh ctest --test-dir build-asan --output-on-failure -j "$jobs" --repeat until-pass:2 ||
        failed+=("sanitizer tests")
else
    failed+=("sanitizer build")
fi

step "Fuzzing, ${fuzz_seconds} s per target (build-fuzz)"
if CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
       -DVOSSA_FUZZ=ON >/dev/null && cmake --build build-fuzz -j "$jobs"; then
    for target in build-fuzz/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        name=$(basename "$target")
        name=${name#fuzz_}
        work=$(mktemp -d)
        if [ -d "fuzz/corpus/$name" ]; then
            cp -r "fuzz/corpus/$name/." "$work/"
        fi
        echo "-- fuzz_$name"
        if ! "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 \
               -artifact_prefix="$work/" "$work" >"$work.log" 2>&1; then
            tail -n 40 "$work.log"
            failed+=("fuzz_$name")
        else
            grep -E '^Done|#[0-9]+.*DONE' "$work.log" | tail -n 1
        fi
        rm -rf "$work" "$work.log"
    done
else
    failed+=("fuzz build")
fi

echo
if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test stages passed."
