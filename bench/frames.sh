#!/usr/bin/env bash
# Frame benchmark of the game on a virtual X server (Xvfb 1280 x 720, GLX; Mesa's software
# renderer when there is no GPU). Each run measures the floor program (clear + swap in the
# game's window and context, uncapped), then plays a whole trick with injected input while an
# LD_PRELOAD library stamps every frame, swap and frame delay, then the floor again. The floor
# is also measured with one opaque full-screen gradient per frame (the game's backdrop alone). Reported:
# frames per second and the frame's own work (everything but the frame delay) in the intro, the
# circle, a gather, the rows and the presentation with all stars visible; start-up time and the
# asset pack's load and decode time; peak resident memory over the trick.
#
# Usage: bench/frames.sh [RUNS]   (default 1)
# VOSSA_BENCH_DIR picks the build folder (default build-bench, as `make bench` builds it);
# VOSSA_BENCH_GAME picks another game binary to measure (default: the build's run/vossa, with
# the build's pack); VOSSA_BENCH_SHOTS=0 skips the screenshot taken after each measured phase.
# Phases are timed in frames, read back from the frame log, so a slow machine only stretches
# them. The report goes to standard output and to $VOSSA_BENCH_DIR/bench-frames/report-N.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${VOSSA_BENCH_DIR:-$root/build-bench}"
runs="${1:-1}"
game="${VOSSA_BENCH_GAME:-$build/run/vossa}"

if [ -z "${VOSSA_FRAMES_INNER:-}" ]; then
    source bench/require.sh
    bench_require frames Xvfb xdotool python3 -- "$game" "$build/run/vossadata.bin" \
        "$build/bench/vossa_floor" "$build/bench/vossa_frameshim.so"
    export VOSSA_FRAMES_INNER=1 VOSSA_BENCH_DIR="$build" VOSSA_BENCH_GAME="$game"
    exec bash scripts/with-display.sh bash bench/frames.sh "$runs"
fi

# --- On the virtual display ---
export SDL_AUDIODRIVER=dummy
out="$build/bench-frames"
mkdir -p "$out"
shots="${VOSSA_BENCH_SHOTS:-1}"
floor_frames=600

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
cy=$((height / 2))
logo_h=256
if [ $((height - 192)) -lt 256 ]; then logo_h=$((height - 192)); fi

alive() {
    kill -0 "$pid" 2>/dev/null
}
# Main-loop frames drawn so far: swaps after the main loop began (its "loop" line, or in a loop
# paced by a frame-rate manager the second manager, the main loop's).
frames() {
    awk '/^loop/ { p = 2 } /^pacer/ { p++ } p >= 2 && /^swap/ { n++ } END { print n + 0 }' "$log"
}
# When the main loop began (nanoseconds, CLOCK_REALTIME).
loop_start() {
    awk '/^loop/ { print $2; exit } /^pacer/ { if (++p == 2) { print $2; exit } }' "$log"
}
# Waits until the wall clock passes $1 (nanoseconds) with the game running.
wait_until() {
    while [ "$(date +%s%N)" -lt "$1" ]; do
        if ! alive; then
            echo "frames: the game ended early." >&2
            exit 1
        fi
        sleep 0.1
    done
}
# $1 + $2 update steps of 1/60 s, in nanoseconds.
steps_after() {
    echo $(($1 + $2 * 1000000000 / 60))
}
# Waits until the main loop has drawn at least $1 frames.
wait_frames() {
    local target=$1 waited=0
    while [ "$(frames)" -lt "$target" ]; do
        if ! alive; then
            echo "frames: the game ended early (frame $(frames), waiting for $target)." >&2
            exit 1
        fi
        sleep 0.1
        waited=$((waited + 1))
        if [ "$waited" -gt 3000 ]; then
            echo "frames: no progress (frame $(frames), waiting for $target)." >&2
            exit 1
        fi
    done
}
# Measures phase $1: from $3 to $3+$4 update steps (1/60 s of wall time each) after the time
# $2, then takes a screenshot of it. Phases are timed in steps, which is what the game's
# animations count, so they cover the same part of the trick at any frame rate.
measure() {
    local name=$1 from=$2 first=$3 count=$4
    local t1
    t1=$(steps_after "$from" $((first + count)))
    echo "$name $(steps_after "$from" "$first") $t1" >>"$phases"
    wait_until "$t1"
    if [ "$shots" = 1 ]; then
        import -silent -window root "$out/run$run-$name.png" 2>/dev/null || true
    fi
}
click() {
    xdotool mousemove "$1" "$2" sleep 0.1 click 1
}

for run in $(seq 1 "$runs"); do
    log="$out/frames-$run.log"
    phases="$out/phases-$run.txt"
    report="$out/report-$run.txt"
    rm -f "$log" "$phases"
    : >"$log"
    load_before=$(cut -d' ' -f1-3 /proc/loadavg)
    floor_before=$("$build/bench/vossa_floor" "$floor_frames")
    backdrop_before=$("$build/bench/vossa_floor" "$floor_frames" backdrop)

    # A private run folder: the pack, and no settings file (defaults; nothing of the build's
    # own run folder is overwritten).
    work=$(mktemp -d)
    ln -s "$build/run/vossadata.bin" "$work/vossadata.bin"
    launch=$(date +%s%N)
    (cd "$work" && VOSSA_FRAMESHIM_LOG="$log" LD_PRELOAD="$build/bench/vossa_frameshim.so" \
        exec "$game") &
    pid=$!

    # The intro (after the logo; the circle turns behind the menu).
    wait_frames 1
    measure intro "$(loop_start)" 60 300
    # The start button: the cards turn on their circle.
    click $((cx - 138 + 64)) $((logo_h + 30 + 16))
    c=$(date +%s%N)
    measure circle "$c" 30 180
    # First answer: the cards gather from the circle while the camera flies (121 steps), then
    # are dealt into the rows (61 steps).
    click "$cx" "$cy"
    c=$(date +%s%N)
    measure gather-from-circle "$c" 6 176
    measure rows "$c" 200 300
    # Second and third answers: the star line sweeps the row (62 steps), the cards tumble
    # together (121) and are dealt again (61).
    click "$cx" "$cy"
    c=$(date +%s%N)
    measure gather "$c" 6 238
    wait_until "$(steps_after "$c" 270)"
    click "$cx" "$cy"
    c=$(date +%s%N)
    wait_until "$(steps_after "$c" 270)"
    # Fourth answer: star line, flight to the reveal ring (121 steps), then the presentation;
    # the stars are fully visible 100 steps after it begins.
    click "$cx" "$cy"
    c=$(date +%s%N)
    measure presentation "$c" 300 300
    # Back to the circle, to the intro, and quit.
    click "$cx" "$cy"
    c=$(date +%s%N)
    wait_until "$(steps_after "$c" 150)"
    xdotool key Escape
    sleep 1
    xdotool key Escape
    for _ in $(seq 1 300); do
        alive || break
        sleep 0.1
    done
    if alive; then
        echo "frames: the game did not quit on Escape." >&2
        exit 1
    fi
    wait "$pid" || true
    pid=""
    rm -rf "$work"
    work=""

    # The first deal, from the answer to the rows at rest (the middle of the card in the middle
    # of the rows, the one place the rows' breathing leaves still, no longer changes), at full
    # speed and with every swap 45 ms slower, as on a driver that manages about 20 frames a
    # second.
    deals=()
    for slow in 0 45; do
        deal_log="$out/deal-$run-$slow.log"
        : >"$deal_log"
        work=$(mktemp -d)
        ln -s "$build/run/vossadata.bin" "$work/vossadata.bin"
        (cd "$work" && VOSSA_FRAMESHIM_LOG="$deal_log" VOSSA_FRAMESHIM_SLOW_MS="$slow" \
            VOSSA_FRAMESHIM_PROBE="$cx $cy $((cx + 12)) $cy" \
            LD_PRELOAD="$build/bench/vossa_frameshim.so" exec "$game") &
        pid=$!
        log="$deal_log"
        wait_frames 1
        wait_until "$(steps_after "$(loop_start)" 60)"
        click $((cx - 138 + 64)) $((logo_h + 30 + 16))
        wait_until "$(steps_after "$(date +%s%N)" 90)"
        click "$cx" "$cy"
        c=$(date +%s%N)
        # Long enough for a loop that runs a step per frame at the slowed rate.
        wait_until "$(steps_after "$c" $((slow > 0 ? 3000 : 1200)))"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
        rm -rf "$work"
        work=""
        deals+=("$(python3 bench/frames-report.py --deal "$deal_log" "$c")")
    done
    log="$out/frames-$run.log"

    floor_after=$("$build/bench/vossa_floor" "$floor_frames")
    backdrop_after=$("$build/bench/vossa_floor" "$floor_frames" backdrop)
    load_after=$(cut -d' ' -f1-3 /proc/loadavg)
    {
        echo "==== Frame benchmark, run $run of $runs: $(date -u '+%Y-%m-%d %H:%M UTC') ===="
        echo "Game: $game"
        echo "$floor_before" | sed -n 's/^renderer /Renderer: /p'
        echo "CPU: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores"
        echo "Display ${width}x${height}; load average before $load_before, after $load_after"
        echo
        python3 bench/frames-report.py "$log" "$phases" "$floor_before" "$floor_after" \
            --launch "$launch" --backdrop "$backdrop_before" --backdrop "$backdrop_after"
        echo
        echo "First deal, answer to rows at rest: ${deals[0]}; every swap 45 ms slower: ${deals[1]}"
    } | tee "$report"
done
