#!/usr/bin/env bash
# Photographs the real logger, maximized by openbox on a 1280 x 800 virtual
# screen, as the readability window test drives it, and keeps the gauge panel
# of the live photograph (ambient temperature on the scale that ends at 22)
# and of the one after Unload in docs/readability/. Nothing is set for
# the pictures that the program does not set itself.
#   bash tools/readability-screenshots.sh                      the build in build/
#   VELTRA_PROGRAM_UNDER_TEST=old/veltra-logger SUFFIX=-before \
#     bash tools/readability-screenshots.sh                    another build's program
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
source tools/release-flags.sh
cmake -S . -B build -G Ninja "${release_flags[@]}" >/dev/null
cmake --build build -j"$(nproc)" --target veltra-logger evaluator-sim test_window
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# Another build's program may fail the checks; its pictures are still taken.
VELTRA_SCREENSHOT_DIR="$shots" QT_QPA_PLATFORM=offscreen \
  build/tests/test_window --gtest_filter='ReadableWindowTest.*' || true
mkdir -p docs/readability
for mode in live unload; do
  # The gauge panel, in 256 colours (the window has few).
  convert "$shots/readable-$mode.png" -crop 565x625+715+40 +repage -colors 256 \
    "PNG8:docs/readability/$mode${SUFFIX:-}.png"
done
ls -l docs/readability
