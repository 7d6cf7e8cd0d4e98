#!/usr/bin/env bash
# bench/run.sh runs every benchmark program, skips the *_autogen folders beside them,
# goes on after a failing one and reports it.
set -u
runner=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

mkdir "$work/bench_a_autogen" "$work/bench_b_autogen"
for name in a b c; do
  printf '#!/bin/sh\necho "figure %s $*"\n' "$name" >"$work/bench_$name"
  chmod +x "$work/bench_$name"
done
out=$(ZT_BENCH_DIR=$work ZT_BENCH_NO_BUILD=1 bash "$runner" --x 2>&1) || fail "exit status: $out"
for name in a b c; do
  grep -q "^figure $name --benchmark_min_time=0.2 --x$" <<<"$out" || fail "no figure $name: $out"
done
grep -q "^== 3 benchmarks run$" <<<"$out" || fail "count: $out"

# A failing benchmark does not hide the ones after it, and the run fails.
printf '#!/bin/sh\necho "figure a"\nexit 3\n' >"$work/bench_a"
out=$(ZT_BENCH_DIR=$work ZT_BENCH_NO_BUILD=1 bash "$runner" 2>&1) && fail "a failure passed: $out"
grep -q "^figure c" <<<"$out" || fail "stopped after the failure: $out"
grep -q "failed: bench_a" <<<"$out" || fail "failure not named: $out"
echo "PASS"
