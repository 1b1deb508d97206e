#!/usr/bin/env bash
# Configures and builds the project into build/<type> (default: release). Used by run.sh and
# test.sh; prints the build directory on its last line.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
type="${1:-Release}"
dir="$top/build/$(echo "$type" | tr '[:upper:]' '[:lower:]')"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$dir" --parallel "$jobs" >&2
echo "$dir"
