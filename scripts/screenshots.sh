#!/usr/bin/env bash
# Makes the pictures of the manual (help/images/) and the README (docs/) from the real
# windows, offscreen: the main window with the demo file, its graph and, once the monitor
# is built, the monitor's list. Pictures of what is not built yet are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
monitor_test=""
if cmake --build --preset default --target help | grep -q '^test_monitor_app:'; then
  monitor_test=build/tests/monitor/app/test_monitor_app
fi
cmake --build --preset default -j"$(nproc)" --target test_screenshots \
  ${monitor_test:+test_monitor_app}

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
grab() {
  ZT_GRAB_DIR=$shots QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 TZ=UTC "$@" \
    >"$shots/log.txt" 2>&1 || {
    cat "$shots/log.txt" >&2
    exit 1
  }
}
grab build/tests/screenshots/test_screenshots
if [ -n "$monitor_test" ]; then
  # The monitor's list and log after two hours of the virtual receiver's scenario.
  grab "$monitor_test" -class WatchAppTest grabsTheWindowsWhenAsked
  [ -s "$shots/watch-list.png" ] && mv "$shots/watch-list.png" "$shots/monitor.png"
  [ -s "$shots/watch-log.png" ] && mv "$shots/watch-log.png" "$shots/monitor-log.png"
fi

mkdir -p help/images docs
for name in main graph monitor monitor-log; do
  if [ -s "$shots/$name.png" ]; then
    cp "$shots/$name.png" "help/images/$name.png"
    cp "$shots/$name.png" "docs/$name.png"
    echo "screenshots: $name.png"
  else
    echo "screenshots: $name.png skipped (that window is not built yet)"
  fi
done
