#!/usr/bin/env bash
# Starts Zerandi on the simulated router under a virtual X display, presses "Read All"
# (the configuration view's default button) as a person would, and writes a PNG of the
# screen. Usage: scripts/screenshot.sh [OUTPUT.png] [MODEL]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/zerandi.png}
model=${2:-QR1209}
program=${ZERANDI_PROGRAM:-build/zerandi}

bash scripts/setup.sh
if [ ! -x "$program" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j2 --target zerandi
fi

mkdir -p "$(dirname "$output")"
export ZERANDI_SHOT_PROGRAM="$program" ZERANDI_SHOT_MODEL="$model" ZERANDI_SHOT_OUTPUT="$output"
xvfb-run -a -s "-screen 0 1280x960x24" bash -c '
  "$ZERANDI_SHOT_PROGRAM" --simulate "$ZERANDI_SHOT_MODEL" &
  app=$!
  window=""
  for _ in $(seq 1 50); do
    window=$(xdotool search --onlyvisible --name "^Zerandi" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "Zerandi did not show its window" >&2; kill $app; exit 1; }
  xdotool windowsize "$window" 1280 960 windowmove "$window" 0 0
  sleep 1
  xdotool mousemove 640 480 key Return
  sleep 3
  import -window root "$ZERANDI_SHOT_OUTPUT"
  kill $app
'
echo "Wrote $output"
