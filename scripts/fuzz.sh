#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each for a short, fixed time
# from its corpus (seconds per target: first argument, default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
cmake --preset fuzz >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
cmake --build --preset fuzz -j"$(nproc)" --target $targets
for t in $targets; do
  name=${t#fuzz_}
  mkdir -p "build-fuzz/fuzz/corpus_$name"
  echo "fuzz: $t for ${seconds}s"
  "build-fuzz/fuzz/$t" -seed=1 -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=0 \
    "build-fuzz/fuzz/corpus_$name" "fuzz/corpus/$name" 2>&1 | tail -n 2
done
echo "fuzz: no crash in $(echo $targets | wc -w) targets"
