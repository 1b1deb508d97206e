#!/usr/bin/env bash
# Configures and builds the project into build/<type>: scripts/build.sh [TYPE [TARGET...]]
# (default: Release, everything). Used by run.sh and test.sh; prints the build directory on its
# last line.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
type="${1:-Release}"
shift || true
dir="$top/build/$(echo "$type" | tr '[:upper:]' '[:lower:]')"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE="$type" >/dev/null
if [ "$#" -gt 0 ]; then
  cmake --build "$dir" --parallel "$jobs" --target "$@" >&2
else
  cmake --build "$dir" --parallel "$jobs" >&2
fi
echo "$dir"
