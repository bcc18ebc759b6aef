#!/usr/bin/env bash
# Builds Zerandi and runs every test. The slow tests spend their time waiting out real
# reply time-outs, not computing, so they run more side by side than the others.
# scripts/test-sanitizers.sh runs the same tests again under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2 -LE slow
ctest --test-dir build --output-on-failure -j8 -L slow
