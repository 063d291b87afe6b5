#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Wedgora need (only the missing ones).
# Usage: scripts/deps.sh play|test
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libsdl2-dev libpng-dev)
if [ "${1:-play}" = test ]; then
  packages+=(libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-utils libx11-dev valgrind)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
