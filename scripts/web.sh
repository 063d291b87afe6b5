#!/usr/bin/env bash
# Builds the web version of Wedgora with Debian's emscripten and serves it on 127.0.0.1.
# Usage: scripts/web.sh [PORT]   build, then serve http://127.0.0.1:PORT/ (8000) until Ctrl-C
#        scripts/web.sh build    build only: the page ends up in build-web/site
# WEDGORA_WERROR=ON makes warnings errors (the test command sets it).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh web

# Debian's emcc runs its JavaScript tools with the machine's Node.js, which finds the packaged
# acorn only through NODE_PATH.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DWEDGORA_TESTS=OFF \
  -DWEDGORA_BENCHMARKS=OFF ${WEDGORA_WERROR:+-DWEDGORA_WERROR=$WEDGORA_WERROR} >/dev/null
cmake --build build-web -j 2

[ "${1:-}" = build ] && exit 0
port="${1:-8000}"
echo "Wedgora is served at http://127.0.0.1:$port/ (Ctrl-C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
