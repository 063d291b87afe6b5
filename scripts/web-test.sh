#!/usr/bin/env bash
# The browser journeys: installs what they need, builds the web version, serves it on a free
# port of 127.0.0.1, plays the journeys in headless Chromium and stops the server again.
# Exits non-zero when the build or any journey fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh web-test

node_major=$(node -p 'process.versions.node.split(".")[0]' 2>/dev/null || echo 0)
if [ "$node_major" -lt 20 ]; then
  echo "The browser journeys need Node.js 20 or later (found: $(node --version 2>/dev/null || echo none))"
  exit 1
fi
(cd web && npm ci --no-audit --no-fund --loglevel=error)

WEDGORA_WERROR=ON scripts/web.sh build

server=""
log=$(mktemp)
stop() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -f "$log"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Port 0: the system picks a free port, and the server says which.
python3 -u -m http.server 0 --bind 127.0.0.1 --directory build-web/site >"$log" 2>&1 &
server=$!
port=""
for _ in $(seq 100); do
  port=$(sed -n 's/^Serving HTTP on 127\.0\.0\.1 port \([0-9]*\).*/\1/p' "$log")
  [ -n "$port" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "The web server did not start:"
  cat "$log"
  exit 1
fi

timeout --kill-after=10 600 node web/journeys.mjs "http://127.0.0.1:$port/"
