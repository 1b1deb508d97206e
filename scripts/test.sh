#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test without a display.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
dir="$("$top/scripts/build.sh" RelWithDebInfo | tail -n 1)"
export QT_QPA_PLATFORM=offscreen
cd "$dir"
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 300 "$@"
