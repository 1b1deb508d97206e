#!/usr/bin/env bash
# scripts/fuzz-xlsx.sh [SECONDS]: builds the libFuzzer target of the .xlsx engine with clang
# in build/fuzz (or $FUZZ_BUILD_DIR) and runs it for SECONDS (default 60) on a copy of
# fuzz/corpus. Crashing inputs are kept in <build>/findings; the exit status is 1 when there
# are any. Needs clang and libclang-rt-dev (scripts/install-deps.sh).
set -euo pipefail
seconds="${1:-60}"
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$top/build/fuzz}"

compiler=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  cxx="$(command -v clang++ || command -v clang++-14 || true)"
  if [ -z "$cxx" ]; then
    echo "fuzz-xlsx: clang++ is not installed" >&2
    exit 2
  fi
  compiler=(-DCMAKE_CXX_COMPILER="$cxx")
fi
cmake -S "$top" -B "$build" "${compiler[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVESKPLAN_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
cmake --build "$build" --target xlsxworkbook_fuzz -j"$(nproc 2>/dev/null || echo 2)"

# The committed corpus stays as it is; what the run adds goes to a copy.
work="$build/corpus"
findings="$build/findings"
rm -rf "$work" "$findings"
mkdir -p "$work" "$findings"
cp "$top"/fuzz/corpus/* "$work"/

status=0
"$build/bin/xlsxworkbook_fuzz" "$work" \
  -max_total_time="$seconds" -max_len=200000 -timeout=60 -rss_limit_mb=4096 \
  -dict="$top/fuzz/xlsx.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
  || status=$?

shopt -s nullglob
found=("$findings"/crash-* "$findings"/leak-* "$findings"/oom-* "$findings"/timeout-*)
if [ "${#found[@]}" -gt 0 ]; then
  echo "fuzz-xlsx: inputs that failed (run the target on one to see why; once fixed, add it" >&2
  echo "to fuzz/corpus, where the ooxml tests run it):" >&2
  printf '  %s\n' "${found[@]}" >&2
  exit 1
fi
exit "$status"
