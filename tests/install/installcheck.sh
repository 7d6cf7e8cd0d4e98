#!/usr/bin/env bash
# Installs the build folder ($1) into a temporary prefix, checks the layout, runs the
# installed zt2 and starts the installed kestrel (through its launcher) offscreen once.
# Then the desktop programs that were built: kestrel, and watch once it exists.
set -euo pipefail
build=$1
shift
programs="$*"
work=$(mktemp -d)
kestrel_pid=""
cleanup() {
  if [ -n "$kestrel_pid" ]; then kill "$kestrel_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "installcheck: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  fail "cmake --install failed"
}

expect_exec() { [ -x "$prefix/$1" ] || fail "missing or not executable: $1"; }
expect_file() { [ -s "$prefix/$1" ] || fail "missing or empty: $1"; }

expect_exec bin/zt2
expect_exec bin/zt5sim
expect_file lib/zt5series/help/index.html
expect_file share/man/man1/zt2.1.gz
expect_file share/doc/zt5series/copyright
for p in $programs; do
  expect_exec "lib/zt5series/$p"
  expect_exec "bin/zt5-$p"
  expect_file "share/applications/zt5-$p.desktop"
  expect_file "share/icons/hicolor/scalable/apps/zt5-$p.svg"
  for size in 16 24 32 48 64 128 256; do
    expect_file "share/icons/hicolor/${size}x${size}/apps/zt5-$p.png"
  done
done
# Nothing may shadow the system's own watch command.
[ ! -e "$prefix/bin/watch" ] || fail "bin/watch would shadow the system's watch"
[ ! -e "$prefix/bin/kestrel" ] || fail "kestrel belongs in lib/zt5series, not bin"
# Every page the manual links to is installed.
for page in "$prefix"/lib/zt5series/help/*.html; do
  for link in $(grep -o 'href="[^"#:]*' "$page" | sed 's/^href="//'); do
    [ -e "$prefix/lib/zt5series/help/$link" ] || fail "$(basename "$page") links to missing $link"
  done
  for img in $(grep -o 'src="[^"]*' "$page" | sed 's/^src="//'); do
    [ -e "$prefix/lib/zt5series/help/$img" ] || fail "$(basename "$page") shows missing $img"
  done
done
if command -v desktop-file-validate >/dev/null; then
  for p in $programs; do
    desktop-file-validate "$prefix/share/applications/zt5-$p.desktop" || fail "zt5-$p.desktop"
  done
fi

# The installed tools and programs run from the prefix, with the user's folders in $work.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$prefix/bin/zt2" --help >"$work/zt2.out" || fail "installed zt2 --help failed"
grep -q "zt2 csv" "$work/zt2.out" || fail "zt2 --help did not describe its commands"

# kestrel is up once it has published its window title (a local socket in TMPDIR) and
# prepared the user's folders, as it does from the build tree.
settings=$HOME/.local/share/ORVANE/ZTSeries5
up() { [ -n "$(find "$TMPDIR" -type s 2>/dev/null)" ] && [ -d "$settings" ]; }
"$prefix/bin/zt5-kestrel" >"$work/kestrel.log" 2>&1 &
kestrel_pid=$!
for _ in $(seq 1 600); do
  if up; then break; fi
  if ! kill -0 "$kestrel_pid" 2>/dev/null; then
    cat "$work/kestrel.log" >&2
    fail "installed kestrel ended at start"
  fi
  sleep 0.1
done
up || fail "installed kestrel did not come up within 60 s"
kill "$kestrel_pid"
wait "$kestrel_pid" 2>/dev/null || true
kestrel_pid=""
echo "installcheck: layout, zt2 and kestrel from $prefix are fine"
