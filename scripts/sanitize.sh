#!/usr/bin/env bash
# Builds the sanitize preset, clang under AddressSanitizer and UndefinedBehaviorSanitizer
# (float-cast-overflow included), into build/sanitize and runs every test there: any memory error
# or undefined behaviour stops the test that meets it. Qt's own libraries are not instrumented,
# so the preset's test environment leaves their allocations unreported.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" sanitize >/dev/null
cd "$top"
ctest --preset sanitize --parallel "$(nproc 2>/dev/null || echo 2)" "$@"
