#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts the program.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
dir="$("$top/scripts/build.sh" Release | tail -n 1)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run it as  xvfb-run -a $top/scripts/run.sh  (or set DISPLAY)." >&2
  exit 1
fi
exec "$dir/bin/veskplan" "$@"
