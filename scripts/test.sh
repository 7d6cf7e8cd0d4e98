#!/usr/bin/env bash
# Installs what is needed, builds everything, runs a short fuzzing pass, builds and checks
# the Debian package, and runs every test (last, so its summary closes the output).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
# A short fixed-seed fuzzing pass over every parser of outside input.
./scripts/fuzz.sh 10
# The package and its lintian check take well under a minute after the build.
./scripts/package.sh
ctest --preset default -j"$(nproc)"
