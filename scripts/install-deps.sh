#!/usr/bin/env bash
# Installs every Debian 12 package the build, tests, benchmarks, fuzzers and demo need.
# With "package" it adds the tools that build and check the Debian package and the icons.
# Idempotent: when everything is present it only says so.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev qt6-translations-l10n
  libgl-dev ccache
  libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-ipafont-gothic
  python3 socat procps
  poppler-utils
  desktop-file-utils
)
if [ "${1:-}" = "package" ]; then
  packages+=(dpkg-dev file lintian librsvg2-bin)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
echo "install-deps: done"
