#!/usr/bin/env bash
# Builds Zerandi and its Debian package, build/zerandi_<version>_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2 --target package
