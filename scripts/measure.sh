#!/usr/bin/env bash
# Builds the release game and prints its whole-program figures from a real window under Xvfb,
# then the benchmarks of the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset release >/dev/null
cmake --build --preset release
python3 bench/measure.py build/release
build/release/bench/wedgora_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
