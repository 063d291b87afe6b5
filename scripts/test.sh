#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite: the release build with
# warnings as errors (headless tests, the real window under Xvfb, the benchmark smoke run), the
# headless tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the Debian package,
# and the web build in a real browser.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
jobs=$(nproc)

cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs" -LE 'e2e|bench'

# The Debian package: built, inspected, installed with apt-get and started under Xvfb.
scripts/package-test.sh

# The web build, played in headless Chromium.
scripts/web-test.sh
