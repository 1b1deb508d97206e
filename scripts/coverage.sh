#!/usr/bin/env bash
# Builds the coverage preset (line coverage) into build/coverage, runs every test there and prints
# gcovr's summary of src/ (add --html FILE to get a page per source file).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
dir="$("$top/scripts/build.sh" coverage | tail -n 1)"
find "$dir" -name '*.gcda' -delete
(cd "$top" && ctest --preset coverage --parallel "$(nproc 2>/dev/null || echo 2)" >&2) \
    || echo "coverage: some tests failed; the figures cover what ran" >&2
extra=()
if [ "${1:-}" = "--html" ] && [ -n "${2:-}" ]; then
    extra=(--html-details "$2")
fi
# Only the program's own objects are read: a test's object holds its copies of our inline
# functions too, and gcovr cannot merge one that the compiler placed a line apart there.
gcovr --root "$top" --filter "$top/src/" --exclude '.*_autogen/.*' "${extra[@]}" "$dir/src"
