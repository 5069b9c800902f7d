#!/usr/bin/env bash
# Starts the game from the build's run folder.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -x build/run/vossa ]; then
    echo "The game is not built yet: engine, tools and tests are built, the game itself is still to come."
    exit 0
fi
