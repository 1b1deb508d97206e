#!/usr/bin/env bash
# scripts/fuzz.sh TARGET [SECONDS]: builds the libFuzzer target fuzz/TARGET_fuzz.cpp with clang
# in build/fuzz (the fuzz preset) and runs it for SECONDS (default 60) on a copy of
# fuzz/corpus/TARGET, with fuzz/TARGET.dict when there is one. Inputs that failed are kept in
# <build>/findings/TARGET; the exit status is 1 when there are any. Needs clang and
# libclang-rt-dev (scripts/install-deps.sh). `scripts/fuzz.sh --list` names the targets.
# The .mdb reader is fuzzed on the bundled libmdb (third_party/mdbtools), instrumented like the
# rest; with VESKPLAN_FUZZ_LIBMDB=system, on the system's package.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$top/build/fuzz"

targets=()
for source in "$top"/fuzz/*_fuzz.cpp; do
  name="$(basename "$source" _fuzz.cpp)"
  targets+=("$name")
done
usage() {
  echo "usage: scripts/fuzz.sh TARGET [SECONDS]; targets: ${targets[*]}" >&2
  exit 2
}
[ $# -ge 1 ] || usage
if [ "$1" = --list ]; then
  printf '%s\n' "${targets[@]}"
  exit 0
fi
target="$1"
seconds="${2:-60}"
[ -f "$top/fuzz/${target}_fuzz.cpp" ] && [ -d "$top/fuzz/corpus/$target" ] || usage
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

compiler=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  cxx="$(command -v clang++ || command -v clang++-14 || true)"
  cc="$(command -v clang || command -v clang-14 || true)"
  if [ -z "$cxx" ] || [ -z "$cc" ]; then
    echo "fuzz: clang is not installed" >&2
    exit 2
  fi
  compiler=(-DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_C_COMPILER="$cc")
fi
bundled=ON
[ "${VESKPLAN_FUZZ_LIBMDB:-bundled}" = system ] && bundled=OFF
cd "$top"
cmake --preset fuzz "${compiler[@]}" -DVESKPLAN_BUNDLED_LIBMDB="$bundled" >/dev/null
nice cmake --build --preset fuzz --target "${target}_fuzz" \
  --parallel "$(nproc 2>/dev/null || echo 2)"

# The committed corpus stays as it is; what the run adds goes to a copy.
work="$build/corpus/$target"
findings="$build/findings/$target"
rm -rf "$work" "$findings"
mkdir -p "$work" "$findings"
cp "$top/fuzz/corpus/$target"/* "$work"/

options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1
  -artifact_prefix="$findings/")
if [ -f "$top/fuzz/$target.dict" ]; then
  options+=(-dict="$top/fuzz/$target.dict")
fi
# Workbooks and Access databases are larger than libFuzzer's own limit of the largest seed.
case "$target" in
  xlsx) options+=(-max_len=200000) ;;
  accessproject) options+=(-max_len=65536) ;;
esac

# The .mdb reader quiets standard error while the library reads, which would hide a sanitizer's
# report: reports go to files beside the findings.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$findings/report"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$findings/report"
status=0
"$build/bin/${target}_fuzz" "$work" "${options[@]}" || status=$?

shopt -s nullglob
found=("$findings"/crash-* "$findings"/leak-* "$findings"/oom-* "$findings"/timeout-*)
if [ "${#found[@]}" -gt 0 ]; then
  echo "fuzz: inputs that failed (run $build/bin/${target}_fuzz on one to see why; once" >&2
  echo "fixed, add it to fuzz/corpus/$target, where the ordinary tests run it):" >&2
  printf '  %s\n' "${found[@]}" >&2
  cat "$findings"/report.* >&2 2>/dev/null || true
  exit 1
fi
exit "$status"
