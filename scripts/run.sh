#!/usr/bin/env bash
# Builds Zerandi and starts it on the built-in simulated router (or with the
# arguments given, e.g. --port /dev/ttyUSB0).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target zerandi zerandi-sim
if [ $# -eq 0 ]; then
  set -- --simulate QR1209
fi
exec ./build/zerandi "$@"
