#!/usr/bin/env bash
# CI: builds the Debian package (tools/package.sh, lintian included),
# installs it with apt-get, starts the installed /usr/bin/veltra-logger on a
# virtual display as a user who is not root against the evaluator simulator,
# and checks that a data logfile line arrives in that user's per-user home.
# Then purges the package and checks that none of its files are left.
# Needs root (or sudo); creates the user veltra-ci when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

bash tools/package.sh
package_dir=${VELTRA_PACKAGE_BUILD_DIR:-build-package}
deb="$PWD/$(ls "$package_dir"/veltra-logger_*_amd64.deb)"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

user=veltra-ci
id -u "$user" >/dev/null 2>&1 || $SUDO useradd --create-home --shell /bin/bash "$user"
user_home=$(getent passwd "$user" | cut -d: -f6)
as_user() { $SUDO setpriv --reuid="$user" --regid="$user" --init-groups --reset-env "$@"; }

$SUDO apt-get install -y -qq "$deb" >/dev/null
installed=$(dpkg-query -W -f='${Version}' veltra-logger)
echo "Installed veltra-logger $installed"

# The user unit that keeps the logger running, as systemd reads it (any
# complaint fails), and the autostart entry for machines without one.
unit=/usr/lib/systemd/user/veltra-logger.service
verify_dir=$(mktemp -d)
complaints=$(XDG_RUNTIME_DIR="$verify_dir" systemd-analyze verify --user "$unit" 2>&1) || true
rm -rf "$verify_dir"
[ -z "$complaints" ] || { echo "systemd-analyze on $unit:"; echo "$complaints"; exit 1; }
grep -q '^ExecStart=/usr/bin/veltra-logger$' "$unit" || { echo "$unit does not start /usr/bin/veltra-logger"; exit 1; }
desktop-file-validate /usr/share/veltra-logger/autostart/*.desktop

# The per-user home of the installed program, as a first start would find it.
program_home="$user_home/.local/share/VELTRA Data Logger"
$SUDO rm -rf "$program_home"
as_user mkdir -p "$program_home/serial"
work=$(mktemp -d)
chmod 755 "$work"
cp "$package_dir/tools/evaluator-sim" "$work/"
as_user sh -c 'printf "%s\r\n" "[VELTRA-LOGGER Version 1.03_1]" COM=1 BAUDRATE=9600 INSTALLATION=Main_Engine \
  REFRESH=2 PASSWORD=kesmor AUTOSTART=1 SWAPDATE=0 LBL_S1=Sensor1 > "$1/VELTRA-logger1.ini"' sh "$program_home"

sim_pid=""
logger_pid=""
cleanup() {
  [ -n "$logger_pid" ] && $SUDO kill "$logger_pid" 2>/dev/null || true
  [ -n "$sim_pid" ] && $SUDO kill "$sim_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Ends the logger as a logout or a shutdown does (SIGTERM) and waits up to
# 15 s for it: it must end by itself, with exit code 0.
end_logger() {
  $SUDO kill "$logger_pid"
  for _ in $(seq 1 75); do kill -0 "$runner_pid" 2>/dev/null || break; sleep 0.2; done
  if kill -0 "$runner_pid" 2>/dev/null; then
    $SUDO kill -9 "$logger_pid"
    wait "$runner_pid" 2>/dev/null || true
    logger_pid=""
    echo "The logger did not end within 15 s when asked to ($1)"
    cat "$work/logger.out"
    exit 1
  fi
  local status=0
  wait "$runner_pid" || status=$?
  logger_pid=""
  [ "$status" = 0 ] || { echo "The logger ended with $status when asked to end ($1)"; cat "$work/logger.out"; exit 1; }
}

# The simulator writes its own process id: $! would be the subshell that
# as_user runs in, and ending that leaves the simulator running.
touch "$work/sim.pid"
chown "$user" "$work/sim.pid"
as_user sh -c 'echo $$ > "$1"; shift; exec "$@"' sh "$work/sim.pid" \
  "$work/evaluator-sim" --pty --link "$program_home/serial/COM1" --scenario normal >"$work/sim.out" 2>&1 &
for _ in $(seq 1 50); do [ -L "$program_home/serial/COM1" ] && break; sleep 0.1; done
sim_pid=$(cat "$work/sim.pid")
[ -L "$program_home/serial/COM1" ] || { echo "The simulator made no link"; cat "$work/sim.out"; exit 1; }

# Started as the menu starts it: the desktop entry's command, which must be
# the installed program. It writes its process id first, so that exactly it
# can be ended.
entry=$(ls /usr/share/applications/*.DataLogger.desktop)
command=$(sed -n 's/^Exec=//p' "$entry")
resolved=$(readlink -f "$(as_user sh -c 'command -v "$1"' sh "$command")")
[ "$resolved" = /usr/bin/veltra-logger ] || { echo "$entry starts '$resolved'"; exit 1; }
touch "$work/logger.pid"
chown "$user" "$work/logger.pid"
as_user xvfb-run -a -s '-screen 0 1280x800x24' \
  sh -c 'echo $$ > "$1"; exec "$2"' sh "$work/logger.pid" "$command" >"$work/logger.out" 2>&1 &
runner_pid=$!

# A data logfile line: "#" date, time, then the evaluator's record.
found=""
for _ in $(seq 1 120); do
  found=$(grep -lsE '^#[0-9]{2}-[0-9]{2}-[0-9]{4} [0-9:]{8} :' "$program_home"/*VL_Main_Engine.vlg || true)
  [ -n "$found" ] && break
  kill -0 "$runner_pid" 2>/dev/null || break
  sleep 0.5
done
logger_pid=$(cat "$work/logger.pid")
if [ -z "$found" ]; then
  echo "No data logfile line arrived in $program_home"
  ls -la "$program_home"
  cat "$work/logger.out"
  exit 1
fi
echo "Data logfile line in $found:"
grep -m1 -E '^#[0-9-]+ [0-9:]+ :' "$found"
[ ! -e /usr/bin/VELTRA-logger1.ini ] || { echo "The installed program wrote into /usr/bin"; exit 1; }
# The installed history tool reads the user's logfiles as the logger wrote them.
today=$(date +%F)
rows=$(as_user /usr/bin/veltra-history export --logdir "$program_home" --installation Main_Engine \
  --from "$today" --to "$today" --every 1d | wc -l)
[ "$rows" -gt 1 ] || { echo "veltra-history exported no summaries of $program_home"; exit 1; }
echo "veltra-history: $((rows - 1)) summaries of today"
# ...and makes the report of them without a screen: the platform the PDF is
# painted on and its fonts come with the package's dependencies.
as_user /usr/bin/veltra-history report --logdir "$program_home" --installation Main_Engine \
  --from "$today" --to "$today" --output "$program_home/report.pdf"
head -c 5 "$program_home/report.pdf" | grep -q '%PDF-' || { echo "veltra-history wrote no report"; exit 1; }
echo "veltra-history: the report of today"
# The settings hold the stop password: the readable file written above is
# narrowed to its owner by the program.
mode=$(stat -c %a "$program_home/VELTRA-logger1.ini")
[ "$mode" = 600 ] || { echo "VELTRA-logger1.ini has mode $mode, not 600"; exit 1; }
# Asked to end, the logger ends normally: the exit line written, no run
# marker left for the next start to report.
end_logger "while measuring"
tail -n1 "$found" | grep -q ' Measure Stopped' || { echo "No exit line at the end of $found"; exit 1; }
[ ! -e "$program_home/VELTRA-logger1.running" ] || { echo "A normal end left its run marker"; exit 1; }

# The first start of a user makes the settings file: owner-only even
# under umask 000. (It waits in its "default file created" message then.)
rm -f "$program_home/VELTRA-logger1.ini"
as_user xvfb-run -a -s '-screen 0 1280x800x24' \
  sh -c 'umask 000; echo $$ > "$1"; exec "$2"' sh "$work/logger.pid" "$command" >"$work/logger.out" 2>&1 &
runner_pid=$!
for _ in $(seq 1 100); do
  [ -s "$program_home/VELTRA-logger1.ini" ] && break
  kill -0 "$runner_pid" 2>/dev/null || break
  sleep 0.2
done
logger_pid=$(cat "$work/logger.pid")
mode=$(stat -c %a "$program_home/VELTRA-logger1.ini" 2>/dev/null || echo missing)
end_logger "with its first message open"
[ "$mode" = 600 ] || { echo "The new VELTRA-logger1.ini has mode $mode under umask 000, not 600"; cat "$work/logger.out"; exit 1; }
echo "VELTRA-logger1.ini: mode 600, made under umask 000 and narrowed from 644"

# A refused open can only be seen by a user who is not root.
if [ -x build/tests/test_platform ]; then
  cp build/tests/test_platform "$work/"
  as_user env QT_QPA_PLATFORM=offscreen "$work/test_platform" --gtest_filter='SerialAccess.*' --gtest_brief=1
fi

# Purge: every file of the package and its own folders must be gone.
owned=$(dpkg-query -L veltra-logger | while read -r path; do
  if [ ! -d "$path" ] || [[ "$path" == */veltra-logger ]]; then echo "$path"; fi
done)
$SUDO apt-get purge -y -qq veltra-logger >/dev/null
left=""
while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then left+="$path"$'\n'; fi
done <<<"$owned"
if dpkg-query -W -f='${Status}' veltra-logger 2>/dev/null | grep -q "ok installed"; then
  echo "veltra-logger is still installed"
  exit 1
fi
if [ -n "$left" ]; then
  echo "Left after purge:"
  printf '%s' "$left"
  exit 1
fi
echo "Purged; nothing of the package is left in /usr."
echo "Package test took $((SECONDS - started)) s."
# lintian, install, unit and autostart entry, logfile line from the menu's
# command, settings file modes, normal end when asked, refused open, purge
echo "package-test: 8 passed, 0 failed"
