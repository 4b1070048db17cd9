#!/usr/bin/env bash
# Installs the Debian packages the editor, its tests and its benchmarks need, but only those that
# are missing, so a second run costs nothing. Runs as root, or through sudo otherwise.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fontconfig
    xvfb xauth xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    as_root=()
    if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
