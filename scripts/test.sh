#!/usr/bin/env bash
# Installs what is needed, builds everything, runs a short fuzzing pass and every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
# A short fixed-seed fuzzing pass over every parser of outside input.
./scripts/fuzz.sh 10
ctest --preset default -j"$(nproc)"
