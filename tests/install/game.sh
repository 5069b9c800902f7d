#!/usr/bin/env bash
# The installed game, started through the installed launcher from another folder with a fresh
# XDG_DATA_HOME, on a virtual display of its own (so no other test's window takes its keys):
# past the engine logo to the intro, quit with Escape; the settings file appears in the
# per-user folder. Then, with a settings file of chosen values and the installation moved
# elsewhere, a second start reads those settings (the game writes them back as it read them)
# and follows the moved pack.
source "$(dirname "$0")/common.sh"

for tool in xdotool import Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || skip "needs $tool"
done
if [ -z "${VOSSA_INSTALL_TEST_DISPLAY:-}" ]; then
    export VOSSA_INSTALL_TEST_DISPLAY=1
    rm -rf -- "$scratch"
    trap - EXIT
    exec bash "$VOSSA_SOURCE_DIR/scripts/with-display.sh" bash "$0"
fi
export SDL_AUDIODRIVER=dummy
# Under AddressSanitizer the game is started without the exit-time leak check: the Mesa
# driver, unloaded by SDL_Quit, leaves allocations behind that no suppression can name. The
# game's own code is leak-checked in-process by its unit tests.
if [ "${VOSSA_SANITIZE:-OFF}" = ON ]; then
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
fi

prefix="$scratch/prefix"
install_to "$prefix"
export XDG_DATA_HOME="$scratch/data"
folder="$XDG_DATA_HOME/vossa"
elsewhere="$scratch/elsewhere"
mkdir -p "$elsewhere"

# play LAUNCHER: starts it from $elsewhere, waits for the intro (its backdrop replaces the
# logo's black), presses Escape and waits for the end. Fails unless the game ends with 0.
play() {
    (cd "$elsewhere" && exec "$1") &
    local pid=$! intro=0 pixel
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        pixel=$(import -silent -window root -crop 1x1+4+700 -depth 8 txt:- 2>/dev/null | tail -n 1 || true)
        case "$pixel" in
            "" | *"#000000"*) sleep 0.2 ;;
            *) intro=1 && break ;;
        esac
    done
    if [ "$intro" -ne 1 ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
        fail "the intro never appeared"
    fi
    sleep 0.5
    xdotool key Escape
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
        fail "the game did not quit on Escape"
    fi
    local status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
}

# First start: no folder yet.
play "$prefix/games/vossa"
[ -f "$folder/vossaconfig.bin" ] || fail "no settings file in $folder"
[ "$(stat -c %s "$folder/vossaconfig.bin")" -eq 48 ] || fail "the settings file is not 48 bytes"
[ "$(readlink "$folder/vossadata.bin")" = "$prefix/share/games/vossa/vossadata.bin" ] ||
    fail "vossadata.bin in $folder is not a link to the installed pack"
[ -z "$(ls -A "$elsewhere")" ] || fail "the game wrote into the folder it was started from"

# Chosen settings: colours (0.25, 0.5, 0.75) and (0.125, 0.375, 0.625) with odd alphas,
# Polski, low quality, music byte 3 (on), instructions byte 2 (off), options
# byte 0xf8 (only bits no option uses, so none is on), volumes 23, 45.
settings() {
    local alpha=$1 music=$2 howto=$3 pad=$4
    printf '\x00\x00\x80\x3e\x00\x00\x00\x3f\x00\x00\x40\x3f%b' "$alpha"
    printf '\x00\x00\x00\x3e\x00\x00\xc0\x3e\x00\x00\x20\x3f%b' "$alpha"
    printf '\x01\x00\x00\x00\x00%b%b%b' "$music" "$howto" "$pad"
    printf '\x17\x00\x00\x00\x2d\x00\x00\x00'
}
settings '\x00\x00\x00\x3f' '\x03' '\x02' '\xf8' >"$folder/vossaconfig.bin"
settings '\x00\x00\x80\x3f' '\x01' '\x00' '\x00' >"$scratch/expected.bin"
[ "$(stat -c %s "$scratch/expected.bin")" -eq 48 ] || fail "test settings are not 48 bytes"

# Second start, from the installation moved elsewhere.
mv "$prefix" "$scratch/moved"
play "$scratch/moved/games/vossa"
if ! cmp -s "$scratch/expected.bin" "$folder/vossaconfig.bin"; then
    echo "expected:" >&2 && od -An -tx1 "$scratch/expected.bin" >&2
    echo "written:" >&2 && od -An -tx1 "$folder/vossaconfig.bin" >&2
    fail "the second start did not keep the settings it read"
fi
[ "$(readlink "$folder/vossadata.bin")" = "$scratch/moved/share/games/vossa/vossadata.bin" ] ||
    fail "vossadata.bin does not follow the moved installation"
echo "game ok"
