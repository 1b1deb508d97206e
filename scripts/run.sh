#!/usr/bin/env bash
# Installs what is missing, builds the release preset (build/release) and starts the program
# (arguments go to it, e.g. a project file). Without a display it writes every export of the
# sample project, its engineer's estimate, the review of its take-off reports and what they
# changed into a folder, says where and how to see the window, and exits 0: it did what it could.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
dir="$("$top/scripts/build.sh" release veskplan veskplan-cli veskplan-data | tail -n 1)"
bin="$dir/bin"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/veskplan" "$@"
fi

out="$dir/sample-exports"
mkdir -p "$out"
project="$bin/sample.vsk"
cli="$bin/veskplan-cli"
"$cli" export trnsport "$project" "$out/sample-trnsport.txt"
"$cli" export roadcad "$project" "$out/sample-roadcad.txt"
"$cli" export bridgecad "$project" "$out/sample-bridgecad.txt"
"$cli" export tabfill "$project" "$out/sample-tabfill.xlsx"
"$cli" print "$project" --pdf "$out/sample-quantities.pdf"
"$cli" print "$project" --text "$out/sample-quantities.txt"
"$cli" list "$project" > "$out/sample-items.txt"
# The sample's engineer's estimate, priced from the bundled bid history, published prices and
# cost index as they stood at the end of September 2026.
history="$out/sample-history.db"
rm -f "$history"
"$cli" history import "$history" "$bin/sample-bids.csv" > /dev/null
for kind in csv xlsx pdf; do
  "$cli" estimate "$project" --history "$history" --prices "$bin/sample-prices.csv" \
    --index "$bin/sample-index.csv" --on 2026-09-30 --"$kind" "$out/sample-estimate.$kind"
done
# The review of the sample's take-off reports and the project they make; two rows wait for a
# decision (a weight reported as an area, a retired item), so the command exits with status 1.
"$cli" quantities "$project" "$bin/sample-takeoff-summary.csv" "$bin/sample-takeoff-detailed.csv" \
  "$bin/sample-takeoff-traps.csv" --layout "$bin/sample-takeoff-layout.txt" --category 01 \
  --rounding "$bin/sample-rounding.txt" --report "$out/sample-takeoff-review.csv" \
  --apply "$out/sample-takeoff.vsk" > /dev/null 2>&1 || [ $? -eq 1 ]
# What the take-off changed, as a reviewer of the next milestone reads it.
for kind in csv xlsx pdf; do
  "$cli" diff "$project" "$out/sample-takeoff.vsk" --"$kind" "$out/sample-milestone-diff.$kind"
done
echo "No display here, so no window: the exports of the sample project ($project) are in $out" >&2
echo "To see the window, run  $top/scripts/run.sh  on a desktop, or  xvfb-run -a $top/scripts/run.sh" >&2
exit 0
