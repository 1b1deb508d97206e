#!/usr/bin/env bash
# Builds with clang under AddressSanitizer and UndefinedBehaviorSanitizer (float-cast-overflow
# included) into build/sanitize and runs every test there: any memory error or undefined
# behaviour stops the test that meets it.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
dir="$top/build/sanitize"
CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESKPLAN_SANITIZE=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
cmake --build "$dir" --parallel "$(nproc 2>/dev/null || echo 2)" >&2
export QT_QPA_PLATFORM=offscreen
# Qt's own libraries are not instrumented; their allocations are not ours to report.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$dir"
ctest --output-on-failure --parallel "$(nproc 2>/dev/null || echo 2)" --timeout 600 "$@"
