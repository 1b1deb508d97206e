#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts the program. Without a display
# it says how to start it under xvfb-run, writes every export of the sample project into a
# folder instead, and exits non-zero.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
dir="$("$top/scripts/build.sh" Release veskplan veskplan-cli veskplan-data | tail -n 1)"
bin="$dir/bin"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/veskplan" "$@"
fi

echo "No display: to see the window run  xvfb-run -a $top/scripts/run.sh" >&2
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
echo "Exports of the sample project ($project) written to $out" >&2
exit 1
