#!/usr/bin/env bash
# Regenerates docs/main-window.png: a photograph of the real logger, maximized
# by the openbox window manager on a 1280 x 800 virtual screen, during a live
# measurement against the evaluator simulator (the demo). Nothing is set for
# the picture that the program does not set itself.
#   bash tools/screenshot.sh            14 s in: alarm pop-up and alarm lamps
#   VELTRA_SCREENSHOT_DELAY=8 bash tools/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
mkdir -p docs
number=$((90 + RANDOM % 400))
while [ -e "/tmp/.X${number}-lock" ]; do number=$((number + 1)); done
Xvfb ":$number" -screen 0 1280x800x24 -dpi 96 -noreset -nolisten tcp &
xvfb=$!
trap 'kill "${wm:-}" "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.1
done
DISPLAY=":$number" openbox &
wm=$!
sleep 1
DISPLAY=":$number" VELTRA_SCREENSHOT="$PWD/docs/main-window.png" \
  VELTRA_SCREENSHOT_DELAY="${VELTRA_SCREENSHOT_DELAY:-14}" bash tools/run-demo.sh
