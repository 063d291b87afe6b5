#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing Wedgora need (only the missing ones).
# Usage: scripts/deps.sh play|test|web|web-test
set -euo pipefail

case "${1:-play}" in
  play) packages=(g++ cmake ninja-build pkg-config libsdl2-dev libpng-dev) ;;
  test)
    packages=(g++ cmake ninja-build pkg-config libsdl2-dev libpng-dev libgtest-dev
              libbenchmark-dev clang-format xvfb xdotool imagemagick x11-utils libx11-dev valgrind)
    ;;
  web) packages=(emscripten cmake ninja-build) ;;
  web-test) packages=(emscripten chromium cmake ninja-build) ;;
  *) echo "usage: scripts/deps.sh play|test|web|web-test" >&2; exit 2 ;;
esac

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
