#!/usr/bin/env bash
# Regenerates docs/report-page1.png and docs/report-journal.png: the report of
# a simulated month (three sensors every 10 s, alarms on some days, the
# evaluator lost for 20 minutes a day, a day without a logfile, a drifting
# TDN number and two maintenance notes), made by veltra-history; its first
# page and the first page of its alarm journal, turned into pictures by
# pdftoppm. Expects a configured build in build/ (or BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake --build "$build" -j2 --target veltra-history evaluator-sim

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TZ=Europe/Berlin
"$build/tools/evaluator-sim" --history "$work/logs" --from 2026-02-01 --days 28 --every-seconds 10 --sensors 3 \
  --lost 20 --gap-days 2026-02-13 --alarms --seed 7 --drift 2:tdn:640:-8 --oil-change 0 --levels 120:160
printf '#02-09-2026 10:15:00 Note "Main_Engine" Sensor 3: Sample taken\r\n#02-20-2026 14:00:00 Note "Main_Engine" all sensors: Sensor cables checked\r\n' \
  >> "$work/logs/notes_VELTRA.txt"
"$build/tools/veltra-history" report --logdir "$work/logs" --installation Main_Engine \
  --from 2026-02-01 --to 2026-02-28 --output "$work/report.pdf"

pages=$(pdfinfo "$work/report.pdf" | awk '/^Pages:/ {print $2}')
journal=
for page in $(seq 1 "$pages"); do
  text=$(pdftotext -f "$page" -l "$page" "$work/report.pdf" -)
  if grep -qx 'Alarm journal' <<<"$text"; then
    journal=$page
    break
  fi
done
[ -n "$journal" ] || { echo "no page of the report holds the alarm journal" >&2; exit 1; }
mkdir -p docs
pdftoppm -r 100 -png -f 1 -l 1 -singlefile "$work/report.pdf" docs/report-page1
pdftoppm -r 100 -png -f "$journal" -l "$journal" -singlefile "$work/report.pdf" docs/report-journal
echo "docs/report-page1.png and docs/report-journal.png (page $journal of $pages)"
