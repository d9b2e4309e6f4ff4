#!/usr/bin/env bash
# Installs what is needed, builds the logger and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target veltra-logger

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Run the demo inside a virtual display:"
  echo "    xvfb-run -a -s '-screen 0 1280x800x24' bash tools/run-demo.sh"
  exit 1
fi
exec build/app/veltra-logger
