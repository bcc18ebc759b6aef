#!/usr/bin/env bash
# Builds Zerandi and runs every test. The slow tests spend their time waiting out real
# reply time-outs, not computing, so they run beside the others, many at once; their
# report follows the others'. scripts/test-sanitizers.sh runs the same tests again under
# the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

slow_report=build/slow-tests.log
ctest --test-dir build --output-on-failure -j8 -L slow > "$slow_report" 2>&1 &
slow=$!
status=0
ctest --test-dir build --output-on-failure -j2 -LE slow || status=1
wait "$slow" || status=1
cat "$slow_report"
exit "$status"
