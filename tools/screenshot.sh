#!/usr/bin/env bash
# Regenerates docs/main-window.png: the main window on a 1280 x 800 virtual
# screen during a live measurement against the evaluator simulator.
#   bash tools/screenshot.sh            waits 40 s (the demo's alarm comes later)
#   VELTRA_SCREENSHOT_DELAY=10 bash tools/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
mkdir -p docs
VELTRA_SCREENSHOT="$PWD/docs/main-window.png" \
  xvfb-run -a -s '-screen 0 1280x800x24' bash tools/run-demo.sh
