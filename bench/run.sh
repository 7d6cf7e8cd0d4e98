#!/usr/bin/env bash
# Builds and runs every benchmark and prints all their figures. Extra arguments go to
# each benchmark (for example --benchmark_filter=Load). ZT_BENCH_DIR names another
# folder of built benchmarks, and ZT_BENCH_NO_BUILD=1 skips the build.
set -uo pipefail
cd "$(dirname "$0")/.."
dir=${ZT_BENCH_DIR:-build/bench}
if [ "${ZT_BENCH_NO_BUILD:-0}" != 1 ]; then
  cmake --preset default >/dev/null || exit 1
  cmake --build --preset default -j"$(nproc)" || exit 1
fi
export QT_QPA_PLATFORM=offscreen
ran=0
failed=()
for b in "$dir"/bench_*; do
  # Only the programs: the build also leaves bench_*_autogen folders here.
  case "$b" in *_autogen) continue ;; esac
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  if ! "$b" --benchmark_min_time=0.2 "$@"; then
    failed+=("$(basename "$b")")
  fi
  ran=$((ran + 1))
done
if [ "$ran" -eq 0 ]; then
  echo "bench/run.sh: no benchmark found in $dir" >&2
  exit 1
fi
if [ ${#failed[@]} -gt 0 ]; then
  echo "bench/run.sh: failed: ${failed[*]}" >&2
  exit 1
fi
echo "== $ran benchmarks run"
