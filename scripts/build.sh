#!/usr/bin/env bash
# Configures and builds one preset of CMakePresets.json into build/<preset>:
# scripts/build.sh [PRESET [TARGET...]] (default: release, everything). A build type names its
# preset in any case (Release, RelWithDebInfo). Used by run.sh, test.sh, package.sh and the
# checks; prints the build directory on its last line.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
preset="$(echo "${1:-release}" | tr '[:upper:]' '[:lower:]')"
shift || true
jobs="$(nproc 2>/dev/null || echo 2)"
cd "$top"
cmake --preset "$preset" >/dev/null
if [ "$#" -gt 0 ]; then
  cmake --build --preset "$preset" --parallel "$jobs" --target "$@" >&2
else
  cmake --build --preset "$preset" --parallel "$jobs" >&2
fi
echo "$top/build/$preset"
