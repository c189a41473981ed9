#!/usr/bin/env bash
# Builds Quindral and runs every test (unit, window and end-to-end) under CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --build build
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
cd build
ctest --output-on-failure --timeout 300 -j2
