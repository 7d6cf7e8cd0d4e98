#!/usr/bin/env bash
# Builds the Debian package from a release build and checks it with lintian.
# Prints the figures: cpack time, package size, installed size, lintian's verdict.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh package
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"

cd build
rm -f zt5series_*.deb
start=$(date +%s.%N)
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
end=$(date +%s.%N)
deb=$(ls zt5series_*.deb)

echo "package: $PWD/$deb"
echo "package: cpack took $(python3 -c "print(round($end - $start, 1))") s"
echo "package: package size $(du -k "$deb" | cut -f1) KiB," \
  "installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "package: depends: $(dpkg-deb -f "$deb" Depends)"
lintian --tag-display-limit 0 --display-info "$deb" >lintian.log 2>&1 || true
cat lintian.log
errors=$(grep -c '^E:' lintian.log || true)
warnings=$(grep -c '^W:' lintian.log || true)
echo "package: lintian: $errors errors, $warnings warnings"
[ "$errors" -eq 0 ]
echo "package: install with: sudo apt install ./build/$deb"
