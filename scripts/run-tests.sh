#!/usr/bin/env bash
# Every test of the project: the unit, GL and end-to-end tests of the normal build, then under
# AddressSanitizer + UndefinedBehaviorSanitizer the tests that run code the sanitizers can find
# errors in (the end-to-end fault tests there only), then each fuzz target for a fixed time, then
# the Windows build under Wine (scripts/test-windows.sh).
# Runs on a virtual X server of its own. Exit status non-zero on any failure. Compilers run
# through ccache when it is installed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
# Tests spend part of their time waiting (every program start shows the three-second logo, the
# end-to-end tests pause between inputs): one test more than there are cores keeps them busy.
test_jobs=$((jobs + 1))
fuzz_seconds=${VOSSA_FUZZ_SECONDS:-10}
failed=()

export SDL_AUDIODRIVER=dummy
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
ccache=$(command -v ccache >/dev/null && echo ccache)
launcher=(-DCMAKE_C_COMPILER_LAUNCHER="$ccache" -DCMAKE_CXX_COMPILER_LAUNCHER="$ccache")

# The sanitizer stage builds and runs what can show a memory or undefined-behaviour error:
# every unit and GL test (the engine, the game object playing whole games, the tools) and the
# end-to-end fault tests, where the real program meets broken data and settings. Left out:
# whole tricks (the 27-card trick and the replay too), every language's screens and the 4K
# screen played on screen for their pixels (the same game code, keys, languages and rebuilds
# at a new size included, runs under the sanitizers in the game object tests, the shell's
# event loop and full-screen switch in the app tests), the frame-rate test (its wall times
# under the sanitizers say nothing of the game's), the installation scripts (the icon
# generator's unit tests stay) and the format check.
sanitizer_targets=(test_data test_render test_audio test_gui test_app test_game test_tools_pack
                   test_tools_assetgen test_install test_e2e)
sanitizer_skip='^(e2e\.(WholeTrick|KeysAndLanguages|LargeScreen|SlowDriver|HowItWorks)\..*|install\.(Layout|Launcher|GameRun|DebianPackage)|CodeFormat)$'
# The end-to-end fault tests run in the sanitizer stage only: the same scenarios, and the
# sanitizers see what the normal build cannot.
normal_skip='^e2e\.Faults\..*$'

# Each stage's heading says how long the stages before it took.
step() { echo; echo "==== $* ==== (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }
# A ctest run whose log is then checked for skipped tests (with CI=true a skip not listed in
# tests/allowed-skips.txt fails the stage): run_ctest LOG CTEST-ARGS...
run_ctest() {
    local log=$1 status=0
    shift
    scripts/with-display.sh ctest "$@" 2>&1 | tee "$log" || status=1
    scripts/check-skips.sh "$log" || status=1
    rm -f "$log"
    return $status
}

step "Tests (build)"
run_ctest build/ctest.log --test-dir build --output-on-failure -j "$test_jobs" \
    -E "$normal_skip" || failed+=("tests")

step "Tests under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan)"
if cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVOSSA_SANITIZE=ON "${launcher[@]}" >/dev/null &&
   cmake --build build-asan -j "$jobs" --target "${sanitizer_targets[@]}"; then
    run_ctest build-asan/ctest.log --test-dir build-asan --output-on-failure -j "$test_jobs" \
        -E "$sanitizer_skip" || failed+=("sanitizer tests")
else
    failed+=("sanitizer build")
fi

step "Fuzzing, ${fuzz_seconds} s per target, $jobs at a time (build-fuzz)"
# One fuzz target: its own copy of the corpus, the last lines of its log on failure.
fuzz_one() {
    local target=$1 name work status=0
    name=$(basename "$target")
    name=${name#fuzz_}
    work=$(mktemp -d)
    if [ -d "fuzz/corpus/$name" ]; then
        cp -r "fuzz/corpus/$name/." "$work/"
    fi
    "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 -artifact_prefix="$work/" \
        "$work" >"$work.log" 2>&1 || status=1
    {
        echo "-- fuzz_$name"
        if [ $status -ne 0 ]; then
            tail -n 40 "$work.log"
        else
            grep -E '^Done|#[0-9]+.*DONE' "$work.log" | tail -n 1
        fi
    } >"$work.report"
    cat "$work.report"
    rm -rf "$work" "$work.log" "$work.report"
    return $status
}
if CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
       -DVOSSA_FUZZ=ON "${launcher[@]}" >/dev/null && cmake --build build-fuzz -j "$jobs"; then
    fuzz_failures=$(mktemp)
    for target in build-fuzz/fuzz/fuzz_*; do
        [ -x "$target" ] || continue
        while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
            wait -n || true
        done
        (fuzz_one "$target" || basename "$target" >>"$fuzz_failures") &
    done
    wait
    while read -r name; do
        failed+=("$name")
    done <"$fuzz_failures"
    rm -f "$fuzz_failures"
else
    failed+=("fuzz build")
fi

step "Windows program under Wine (build-windows)"
scripts/with-display.sh scripts/test-windows.sh || failed+=("windows")

echo
echo "All stages took $((SECONDS / 60)) min $((SECONDS % 60)) s."
if [ ${#failed[@]} -ne 0 ]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All test stages passed."
