#!/usr/bin/env bash
# Puts each deliberate fault of tests/mutants/faults.txt (or the list given as $1) into a
# scratch copy of the tree, one at a time, rebuilds the targets that guard it, runs their tests
# on a virtual display and reports every fault that no test catches. Not part of `make test`.
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

caught=0
survived=()
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
    targets=${fields[0]} tests=${fields[1]} file=${fields[2]} script=${fields[3]} what=${fields[4]}
    echo "-- $what ($file)"
    cp "$src/$file" "$scratch/original"
    if ! sed -i -e "$script" "$src/$file" || cmp -s "$src/$file" "$scratch/original"; then
        echo "   the fault does not apply: the code it names has changed"
        broken+=("$what")
    elif ! cmake --build "$src/build" -j "$jobs" --target $targets >"$scratch/build.log" 2>&1; then
        echo "   the faulty copy does not build: fix the fault's script"
        broken+=("$what")
    elif (cd "$root" && scripts/with-display.sh ctest --test-dir "$src/build" -R "$tests" \
              -j "$jobs" --timeout 600 >"$scratch/test.log" 2>&1); then
        if grep -q 'No tests were found' "$scratch/test.log"; then
            echo "   no test matches $tests"
            broken+=("$what")
        else
            echo "   SURVIVED: no test of $tests fails"
            survived+=("$what")
        fi
    else
        echo "   caught by: $(grep -E '^[[:space:]]*[0-9]+ - ' "$scratch/test.log" | head -n 3 | tr -s '[:space:]' ' ')"
        caught=$((caught + 1))
    fi
    cp "$scratch/original" "$src/$file"
done <"$list"

echo
echo "mutants: $caught caught, ${#survived[@]} survived, ${#broken[@]} not applied or not built"
for s in "${survived[@]}"; do echo "  survived: $s"; done
for b in "${broken[@]}"; do echo "  not applied or not built: $b"; done
[ ${#survived[@]} -eq 0 ] && [ ${#broken[@]} -eq 0 ]
