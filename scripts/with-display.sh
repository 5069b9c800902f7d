#!/usr/bin/env bash
# Runs a command on a fresh virtual X server (Xvfb, 1280 x 720, GLX) and stops the server
# afterwards. The server picks a free display number itself, so parallel runs never share one.
# Usage: scripts/with-display.sh COMMAND [ARGS...]
set -uo pipefail

number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x720x24 +extension GLX +render -noreset \
    3>"$number_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null; rm -f "$number_file"' EXIT

# Xvfb writes the display number once it accepts connections.
for _ in $(seq 1 200); do
    [ -s "$number_file" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "with-display: Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.05
done
number=$(tr -dc '0-9' <"$number_file")
if [ -z "$number" ]; then
    echo "with-display: Xvfb reported no display number" >&2
    exit 1
fi

DISPLAY=":$number" "$@"
