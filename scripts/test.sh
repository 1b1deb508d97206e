#!/usr/bin/env bash
# Installs what is missing, builds the relwithdebinfo preset and runs every test without a
# display (arguments go to ctest, e.g. -R NAME).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" relwithdebinfo >/dev/null
cd "$top"
ctest --preset relwithdebinfo --parallel "$(nproc 2>/dev/null || echo 2)" "$@"
