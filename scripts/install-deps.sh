#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that building, running and testing Vossa needs.
# Does nothing (and needs no network) when everything is already there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    clang libclang-rt-14-dev clang-format
    libsdl2-dev libsdl2-mixer-dev libsdl2-gfx-dev zlib1g-dev libgl-dev
    libgtest-dev googletest libbenchmark-dev
    xvfb xauth x11-utils libx11-dev libgl1-mesa-dri xdotool imagemagick
    libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev libcairo2-dev
    desktop-file-utils ccache appstream lintian
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
