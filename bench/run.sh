#!/usr/bin/env bash
# Builds and runs every benchmark and prints the figures.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
for b in build/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 "$@"
done
