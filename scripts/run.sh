#!/usr/bin/env bash
# Installs what is needed, builds, and runs the demo: the analysis program against a
# virtual receiver on COM1, with settings and data in a throw-away folder under build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target kestrel watch zt5sim zt2 zt_help

root=$PWD
demo=$root/build/demo
# Never the user's own settings: every per-user folder points into the demo folder.
export XAUTHORITY="${XAUTHORITY:-$HOME/.Xauthority}"
export HOME=$demo/home
export XDG_DATA_HOME=$HOME/.local/share
export XDG_CONFIG_HOME=$HOME/.config
data=$HOME/Documents/ORVANE/ZTSeries5/data
mkdir -p "$data"
cp -n "$root/tests/data/sample.zt2" "$data/" 2>/dev/null || true

"$root/build/tools/zt5sim/zt5sim" --port COM1 &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
sleep 0.5

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display found; set DISPLAY (or run under xvfb-run) to see the window" >&2
fi
echo "run: demo folder $demo (sample file: $data/sample.zt2)"
"$root/build/bin/kestrel"
# A monitor started from kestrel keeps the receiver: the simulator stays until it ends.
if pgrep -f "^$root/build/bin/watch\$" >/dev/null; then
  echo "run: the monitor still runs; end it with 監視の終了 to stop the simulator" >&2
  while pgrep -f "^$root/build/bin/watch\$" >/dev/null; do sleep 2; done
fi
