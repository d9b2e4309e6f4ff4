#!/usr/bin/env bash
# The live demo: installs what is needed, builds the logger and the
# evaluator simulator, starts the simulator on a pseudo-terminal linked as
# serial/COM1 in the program's home, writes a configuration that starts
# measuring at once, and runs the logger. The simulator ends with the logger.
# Closing the logger while it measures asks for the password: kesmor
set -euo pipefail
cd "$(dirname "$0")/.."

build="${VELTRA_BUILD_DIR:-build}"
bash tools/setup.sh
source tools/release-flags.sh
cmake -S . -B "$build" -G Ninja "${release_flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target veltra-logger evaluator-sim

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Run the demo inside a virtual display:"
  echo "    xvfb-run -a -s '-screen 0 1280x800x24' bash tools/run-demo.sh"
  exit 1
fi

# The configuration lives beside the program.
home="$PWD/$build/app"
mkdir -p "$home/serial" "$home/logs"
cat > "$home/VELTRA-logger1.ini" <<INI
[VELTRA-LOGGER Version 1.03_1]
COM=1
BAUDRATE=9600
INSTALLATION=Main_Engine
REFRESH=2
PASSWORD=kesmor
AUTOSTART=1
SWAPDATE=0
LBL_S1=Sensor1
LOGDIR=$home/logs/
LBL_S2=Sensor2
LBL_S3=Sensor3
LBL_S4=Sensor4
LBL_S5=Sensor5
LBL_S6=Sensor6
INI
sed -i 's/$/\r/' "$home/VELTRA-logger1.ini"

"$build"/tools/evaluator-sim --pty --link "$home/serial/COM1" --scenario demo >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null || true' EXIT

# Wait until the simulator has made its link.
for _ in $(seq 1 50); do
  [ -e "$home/serial/COM1" ] && break
  sleep 0.1
done

echo "Logging to $home/logs. The password to stop logging or to close the window: kesmor"
if [ -n "${VELTRA_SCREENSHOT:-}" ]; then
  # Used by tools/screenshot.sh: photograph the running logger, then end it.
  "$build"/app/veltra-logger &
  logger=$!
  sleep "${VELTRA_SCREENSHOT_DELAY:-40}"
  import -window root "$VELTRA_SCREENSHOT"
  kill "$logger"
  wait "$logger" 2>/dev/null || true
  echo "Screenshot written to $VELTRA_SCREENSHOT"
else
  "$build"/app/veltra-logger
fi
