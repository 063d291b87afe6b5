#!/usr/bin/env bash
# Installs what is missing, builds the release game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh play
cmake --preset play >/dev/null
cmake --build --preset play
exec build/play/wedgora
