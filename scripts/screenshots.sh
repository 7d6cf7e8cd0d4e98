#!/usr/bin/env bash
# Makes the pictures of the manual (help/images/) and the README (docs/) from the real
# windows, offscreen: the main window with the demo file, its graph and, once the monitor
# is built, the monitor's list. Pictures of what is not built yet are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target test_screenshots

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
ZT_GRAB_DIR=$shots QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 TZ=UTC \
  build/tests/screenshots/test_screenshots >"$shots/log.txt" 2>&1 || {
  cat "$shots/log.txt" >&2
  exit 1
}

mkdir -p help/images docs
for name in main graph monitor; do
  if [ -s "$shots/$name.png" ]; then
    cp "$shots/$name.png" "help/images/$name.png"
    cp "$shots/$name.png" "docs/$name.png"
    echo "screenshots: $name.png"
  else
    echo "screenshots: $name.png skipped (that window is not built yet)"
  fi
done
