#!/usr/bin/env bash
# Click-to-reaction latency of the game on a virtual X server (Xvfb 1280 x 720, GLX). The game
# runs with the frame library (bench/frameshim) probing two pixels of every frame: the left ends
# of the Start and Quit buttons of the intro menu. For each burst size it moves the pointer that
# many times below the menu in one xdotool run (as a fast mouse would), presses on Start and
# releases; the reaction is the first frame that no longer shows the menu. Reported per burst:
# the frames begun after the release up to and including the one that shows the reaction
# (2 when a release is taken by the next frame and its GUI click is delivered in the one after),
# and the milliseconds from the release to the end of that frame's swap, beside the mean frame
# time just before the release. Escape then brings the menu back for the next burst.
#
# Usage: bench/latency.sh [RUNS]   (default 1)
# VOSSA_BENCH_DIR picks the build folder (default build-bench); VOSSA_BENCH_GAME the game binary
# (default the build's run/vossa); VOSSA_LATENCY_BURSTS the burst sizes (default "0 100 1000").
# The report goes to standard output and to $VOSSA_BENCH_DIR/bench-latency/report-N.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${VOSSA_BENCH_DIR:-$root/build-bench}"
runs="${1:-1}"
game="${VOSSA_BENCH_GAME:-$build/run/vossa}"
bursts="${VOSSA_LATENCY_BURSTS:-0 100 1000}"

if [ -z "${VOSSA_LATENCY_INNER:-}" ]; then
    source bench/require.sh
    bench_require latency Xvfb xdotool -- "$game" "$build/run/vossadata.bin" \
        "$build/bench/vossa_frameshim.so"
    export VOSSA_LATENCY_INNER=1 VOSSA_BENCH_DIR="$build" VOSSA_BENCH_GAME="$game"
    exec bash scripts/with-display.sh bash bench/latency.sh "$runs"
fi

# --- On the virtual display ---
export SDL_AUDIODRIVER=dummy
out="$build/bench-latency"
mkdir -p "$out"

pid=""
work=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    if [ -n "$work" ]; then
        rm -rf "$work"
    fi
}
trap cleanup EXIT

read -r width height < <(xdotool getdisplaygeometry)
cx=$((width / 2))
logo_h=256
if [ $((height - 192)) -lt 256 ]; then logo_h=$((height - 192)); fi
start_x=$((cx - 138 + 64))
button_y=$((logo_h + 30 + 16))
# The probes: the left ends of Start (green) and Quit (red), beside their captions.
probe="$((cx - 132)) $button_y $((cx + 16)) $button_y"

alive() {
    kill -0 "$pid" 2>/dev/null
}
# "menu" or "other" for the last probed frame; "none" before the first.
screen() {
    awk '/^probe/ { last = $0 } END {
        if (last == "") { print "none"; exit }
        split(last, f, " ")
        menu = f[4] > f[3] + 40 && f[4] > f[5] + 20 && f[6] > f[7] + 60 && f[6] > f[8] + 60
        print menu ? "menu" : "other" }' "$log"
}
probes() {
    grep -c '^probe' "$log" || true
}
# Waits until the screen is $1 (at most $2 seconds).
wait_screen() {
    local want=$1 limit=$(($2 * 10)) waited=0
    while [ "$(screen)" != "$want" ]; do
        if ! alive; then
            echo "latency: the game ended early." >&2
            exit 1
        fi
        sleep 0.1
        waited=$((waited + 1))
        if [ "$waited" -gt "$limit" ]; then
            echo "latency: no $want screen after $2 s." >&2
            exit 1
        fi
    done
}
# Waits for $1 more drawn frames.
wait_frames() {
    local target=$(($(probes) + $1))
    while [ "$(probes)" -lt "$target" ]; do
        alive || exit 1
        sleep 0.1
    done
}
# Frames and milliseconds from the release at $1 (ns) to the first frame without the menu, and
# the mean frame time (ms) over the 20 frames before the release.
reaction() {
    awk -v t="$1" '
        $1 == "delay" && $3 <= t { n++; at[n] = $3 }
        $1 == "delay" && $3 > t && !found { begun++ }
        $1 == "probe" && $2 > t && !found {
            menu = $4 > $3 + 40 && $4 > $5 + 20 && $6 > $7 + 60 && $6 > $8 + 60
            if (!menu) { found = 1; want = 1 }
        }
        $1 == "swap" && want { end = $3; want = 0 }
        END {
            frame = n > 20 ? (at[n] - at[n - 20]) / 20 / 1e6 : 0
            if (end) printf "%d %.0f %.0f\n", begun, (end - t) / 1e6, frame
            else printf "- - %.0f\n", frame }' "$log"
}

for run in $(seq 1 "$runs"); do
    log="$out/frames-$run.log"
    report="$out/report-$run.txt"
    : >"$log"
    load_before=$(cut -d' ' -f1-3 /proc/loadavg)
    work=$(mktemp -d)
    ln -s "$build/run/vossadata.bin" "$work/vossadata.bin"
    (cd "$work" && VOSSA_FRAMESHIM_LOG="$log" VOSSA_FRAMESHIM_PROBE="$probe" \
        LD_PRELOAD="$build/bench/vossa_frameshim.so" exec "$game") &
    pid=$!
    wait_screen menu 120
    wait_frames 30
    results=()
    for n in $bursts; do
        moves=""
        for ((i = 0; i < n; i++)); do
            moves+=" mousemove $((cx - 340 + i % 400)) $((height - 120 + i % 2))"
        done
        if [ -n "$moves" ]; then
            # shellcheck disable=SC2086
            xdotool $moves
        fi
        xdotool mousemove "$start_x" "$button_y" sleep 0.1 mousedown 1 sleep 0.05
        xdotool mouseup 1
        released=$(date +%s%N)
        wait_screen other 600
        wait_frames 5
        results+=("$n $(reaction "$released")")
        # Back to the menu for the next burst.
        xdotool mousemove "$((width - 10))" "$((height - 5))" sleep 0.2 key Escape
        wait_screen menu 600
        wait_frames 30
    done
    xdotool key Escape
    for _ in $(seq 1 300); do
        alive || break
        sleep 0.1
    done
    cleanup
    pid=""
    work=""
    load_after=$(cut -d' ' -f1-3 /proc/loadavg)
    {
        echo "==== Click-to-reaction latency, run $run of $runs: $(date -u '+%Y-%m-%d %H:%M UTC') ===="
        echo "Game: $game"
        echo "Display ${width}x${height}; load average before $load_before, after $load_after"
        echo
        echo "| pointer moves before the click | frames | ms | frame time before, ms |"
        echo "|---:|---:|---:|---:|"
        for r in "${results[@]}"; do
            read -r n frames ms frame <<<"$r"
            echo "| $n | $frames | $ms | $frame |"
        done
    } | tee "$report"
done
