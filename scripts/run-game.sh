#!/usr/bin/env bash
# Starts the game from the build's run folder (build/run, where the asset pack is generated).
# With a display the game simply runs. Without one (a headless machine, CI) it runs a short
# demonstration on a virtual X server: it plays through the engine logo and the intro menu,
# opens the about, how-to and settings screens, starts a game and answers once, saves a
# screenshot of each screen under build/screenshots/, and quits with Escape.
# Without an audio device the sound goes to SDL's dummy driver.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# VOSSA_BUILD_DIR picks another build folder (default: build).
build="${VOSSA_BUILD_DIR:-$root/build}"
run="$build/run"
shots="$build/screenshots"

if [ ! -x "$run/vossa" ]; then
    echo "run-game: $run/vossa is missing; build first (make run)." >&2
    exit 1
fi
if [ ! -f "$run/vossadata.bin" ]; then
    echo "run-game: $run/vossadata.bin is missing; the asset pack was not generated." >&2
    exit 1
fi

has_audio() {
    [ -n "${SDL_AUDIODRIVER:-}" ] && return 0
    compgen -G "/dev/snd/pcm*" >/dev/null && return 0
    [ -n "${PULSE_SERVER:-}" ] && return 0
    [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && return 0
    [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && return 0
    return 1
}
if ! has_audio; then
    export SDL_AUDIODRIVER=dummy
fi

if [ "${1:-}" != "--demo" ]; then
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        cd "$run"
        exec ./vossa
    fi
    echo "run-game: no display; playing a short demonstration on a virtual X server."
    exec bash scripts/with-display.sh bash scripts/run-game.sh --demo
fi

# --- The demonstration (on the virtual display) ---
for tool in xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "run-game: $tool is needed for the demonstration." >&2
        exit 1
    fi
done
mkdir -p "$shots"
rm -f "$shots"/*.png

(cd "$run" && exec ./vossa) &
pid=$!
cleanup() {
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

shot() {
    import -silent -window root "$shots/$1.png"
    echo "run-game: screenshot $shots/$1.png"
}
pixel() {
    import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1
}
alive() {
    kill -0 "$pid" 2>/dev/null
}
click() {
    xdotool mousemove "$1" "$2" sleep 0.2 click 1
    sleep "${3:-1}"
}

# The engine logo: black around the picture in the middle.
for _ in $(seq 1 100); do
    alive || break
    if xdotool search --pid "$pid" >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done
sleep 1
alive && shot 01-logo

# The intro menu: the backdrop replaces the black of the logo.
for _ in $(seq 1 300); do
    alive || break
    case "$(pixel 4 700)" in
        *"#000000"*|"") sleep 0.2 ;;
        *) break ;;
    esac
done
if ! alive; then
    wait "$pid" || true
    echo "run-game: the game ended during start-up." >&2
    exit 1
fi
sleep 1
shot 02-intro

# Window size as the game sees it (full screen: the virtual screen).
read -r width height < <(xdotool getdisplaygeometry)
cx=$((width / 2))
logo_h=256
if [ $((height - 192)) -lt 256 ]; then logo_h=$((height - 192)); fi

# About, how-to and settings, each closed again with its close button.
click $((cx - 64 + 64)) $((logo_h + 70 + 16))
shot 03-about
click $(((width - 620) / 2 + 246 + 64)) $(((height - 320) / 3 + 280 + 16))
click $((cx - 138 + 64)) $((logo_h + 110 + 16))
shot 04-howto
click $(((width - 620) / 2 + 246 + 64)) $(((height - 200) / 3 + 160 + 16))
click $((cx + 10 + 64)) $((logo_h + 110 + 16))
shot 05-settings
click $(((width - 360) / 2 + 116 + 64)) $(((height - 270) / 3 + 230 + 16))

# Start a game: the cards turn on their circle.
click $((cx - 138 + 64)) $((logo_h + 30 + 16)) 2
shot 06-game-circle
# A click in the middle: the cards gather, then lie in three rows. The animations count
# frames, so a slow software renderer stretches them: the waits are generous.
click "$cx" $((height / 2)) 2
shot 07-game-gather
sleep 15
shot 08-game-rows

# Escape flies back to the intro, a second Escape quits.
xdotool key Escape
sleep 5
shot 09-back-to-intro
xdotool key Escape
for _ in $(seq 1 100); do
    alive || break
    sleep 0.1
done
if alive; then
    echo "run-game: the game did not quit on Escape." >&2
    exit 1
fi
status=0
wait "$pid" || status=$?
trap - EXIT
echo "run-game: the game ended with status $status; screenshots are in $shots."
exit "$status"
