#!/usr/bin/env bash
# Builds Quindral and runs every test (unit, window and end-to-end) under CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake --build build
cd build
ctest --output-on-failure --timeout 300 -j2
