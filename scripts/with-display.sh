#!/usr/bin/env bash
# Runs a command on a fresh virtual X server (Xvfb, 1280 x 720, GLX) and stops the server
# afterwards. Usage: scripts/with-display.sh COMMAND [ARGS...]
set -uo pipefail

display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
        display=":$n"
        break
    fi
done
if [ -z "$display" ]; then
    echo "with-display: no free X display number" >&2
    exit 1
fi

Xvfb "$display" -screen 0 1280x720x24 +extension GLX +render -noreset >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT

for _ in $(seq 1 100); do
    if DISPLAY="$display" xdpyinfo >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done

DISPLAY="$display" "$@"
