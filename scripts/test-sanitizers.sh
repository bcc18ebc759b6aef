#!/usr/bin/env bash
# Builds Zerandi with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test but
# the slow ones under them (in build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZERANDI_SANITIZE=ON
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure -j2 -LE slow
