#!/usr/bin/env bash
# Puts each deliberate fault of tests/mutants/faults.txt (or the list given as $1) into a
# scratch copy of the tree, one at a time, rebuilds the targets that guard it, runs their tests
# on a virtual display and reports every fault that no test catches. Not part of `make test`.
# First every guarding set runs once on the tree as it stands: a set that fails there proves
# nothing and stops the run. A fault counts as caught only when a test fails; a test that runs
# out of time, or a faulty copy that does not build, is reported apart.
# Exit status: 0 when every fault was caught, 1 otherwise.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
list=${1:-$root/tests/mutants/faults.txt}
scratch=$root/build-mutants
jobs=$(nproc)

export SDL_AUDIODRIVER=dummy
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# The tree as it stands (tracked and new files, uncommitted edits included), copied afresh.
rm -rf "$scratch/src"
mkdir -p "$scratch/src"
git ls-files -z --cached --others --exclude-standard |
    (while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done) |
    tar -c --null -T - | tar -x -C "$scratch/src"
src=$scratch/src
if ! cmake -S "$src" -B "$src/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null; then
    echo "mutants: the scratch copy does not configure" >&2
    exit 1
fi

# The fault lines, split at " | " (a lone | may stand in a pattern or a sed script) into the
# arrays below; a line of another shape is reported and left out.
all_targets=() all_tests=() all_files=() all_scripts=() all_whats=()
broken=()
while IFS= read -r line; do
    case "$line" in '' | '#'*) continue ;; esac
    # Fields are separated by " | " (a lone | may stand in a pattern or a sed script).
    fields=()
    rest=$line
    while [[ "$rest" == *" | "* ]]; do
        fields+=("${rest%% | *}")
        rest=${rest#* | }
    done
    fields+=("$rest")
    if [ ${#fields[@]} -ne 5 ]; then
        echo "mutants: not five fields: $line" >&2
        broken+=("$line")
        continue
    fi
    all_targets+=("${fields[0]}") all_tests+=("${fields[1]}") all_files+=("${fields[2]}")
    all_scripts+=("${fields[3]}") all_whats+=("${fields[4]}")
done <"$list"

# Runs the tests matching $1 of the scratch build; the log goes to $2. Prints how it ended:
# passed, failed (at least one test failed), timeout (none failed, one ran out of time), none.
run_set() {
    (cd "$root" && scripts/with-display.sh ctest --test-dir "$src/build" -R "$1" -j "$jobs" \
        --timeout 600 >"$2" 2>&1)
    local status=$?
    if grep -q 'No tests were found' "$2"; then
        echo none
    elif [ $status -eq 0 ]; then
        echo passed
    elif grep -qE '^[[:space:]]*[0-9]+ - .*\((Failed|SEGFAULT|Subprocess aborted|Child aborted|Exception|ILLEGAL|BUS|OTHER_FAULT)\)' "$2"; then
        echo failed
    else
        echo timeout
    fi
}

echo "-- baseline: every guarding set on the tree as it stands"
baseline_start=$SECONDS
all_built=$(printf '%s\n' "${all_targets[@]}" | tr ' ' '\n' | sort -u | tr '\n' ' ')
if ! cmake --build "$src/build" -j "$jobs" --target $all_built >"$scratch/build.log" 2>&1; then
    echo "mutants: the tree as it stands does not build ($all_built)" >&2
    tail -n 30 "$scratch/build.log" >&2
    exit 1
fi
baseline_failed=0
while read -r tests; do
    result=$(run_set "$tests" "$scratch/test.log")
    if [ "$result" != passed ]; then
        echo "   $tests: $result without any fault"
        grep -E '^[[:space:]]*[0-9]+ - ' "$scratch/test.log" | head -n 5
        baseline_failed=1
    fi
done < <(printf '%s\n' "${all_tests[@]}" | sort -u)
baseline_seconds=$((SECONDS - baseline_start))
echo "   baseline took $baseline_seconds s"
if [ $baseline_failed -ne 0 ]; then
    echo "mutants: a guarding set fails without any fault; mend it first" >&2
    exit 1
fi

caught=0
survived=()
timeouts=()
for i in "${!all_whats[@]}"; do
    targets=${all_targets[$i]} tests=${all_tests[$i]} file=${all_files[$i]}
    script=${all_scripts[$i]} what=${all_whats[$i]}
    echo "-- $what ($file)"
    cp "$src/$file" "$scratch/original"
    if ! sed -i -e "$script" "$src/$file" || cmp -s "$src/$file" "$scratch/original"; then
        echo "   the fault does not apply: the code it names has changed"
        broken+=("$what")
    elif ! cmake --build "$src/build" -j "$jobs" --target $targets >"$scratch/build.log" 2>&1; then
        echo "   the faulty copy does not build: fix the fault's script"
        broken+=("$what")
    else
        case $(run_set "$tests" "$scratch/test.log") in
            none)
                echo "   no test matches $tests"
                broken+=("$what")
                ;;
            passed)
                echo "   SURVIVED: no test of $tests fails"
                survived+=("$what")
                ;;
            timeout)
                echo "   NOT CAUGHT: a test of $tests ran out of time, none failed"
                timeouts+=("$what")
                ;;
            failed)
                echo "   caught by: $(grep -E '^[[:space:]]*[0-9]+ - ' "$scratch/test.log" |
                    grep -v Timeout | head -n 3 | tr -s '[:space:]' ' ')"
                caught=$((caught + 1))
                ;;
        esac
    fi
    cp "$scratch/original" "$src/$file"
done

echo
echo "mutants: ${#all_whats[@]} faults, $caught caught, ${#survived[@]} survived," \
    "${#timeouts[@]} timed out, ${#broken[@]} not applied or not built;" \
    "baseline ${baseline_seconds} s, all $((SECONDS / 60)) min"
for s in "${survived[@]}"; do echo "  survived: $s"; done
for t in "${timeouts[@]}"; do echo "  timed out: $t"; done
for b in "${broken[@]}"; do echo "  not applied or not built: $b"; done
[ ${#survived[@]} -eq 0 ] && [ ${#timeouts[@]} -eq 0 ] && [ ${#broken[@]} -eq 0 ]
