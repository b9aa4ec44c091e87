#!/usr/bin/env bash
# Starts the program on a private X server with the desktop's accessibility
# bus and reads both windows as a screen reader does (accessibility_tree.py):
# once with the English language file, once with the German one.
# Exits 77 (skipped) with a message where the X server, the session bus or
# the accessibility bus cannot be had.
# Usage: check_accessibility.sh <program> <data dir> [dump file]
set -uo pipefail
program=$1
data=$2
dump=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }

python=
for p in /usr/bin/python3 python3; do
  if command -v "$p" >/dev/null 2>&1 && "$p" -c 'import pyatspi' 2>/dev/null; then
    python=$p
    break
  fi
done
[ -n "$python" ] || skip "python3 with pyatspi (Debian python3-pyatspi) is not installed"
command -v Xvfb >/dev/null || skip "Xvfb (Debian xvfb) is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session (Debian dbus-bin) is not installed"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the accessibility bus (Debian at-spi2-core) is not installed"

work=$(mktemp -d)
xpid=
cleanup() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# A private runtime directory: no other Spectrion's single-instance lock, and
# no other session's accessibility bus.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The X server picks a free display and tells its number.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xpid=$!
exec 3>&-
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || skip "the X server did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_ACCESSIBILITY_DISABLED 2>/dev/null || true

# The German program: a copy of the program with the German file beside it.
mkdir "$work/de"
cp "$program" "$work/de/spectrion"
cp "$data/lang/spectrion-de.itl" "$work/de/spectrion.itl"
cp "$data/icons/spectrion.png" "$work/de/spectrion.png"

status=0
for run in "en:$program" "de:$work/de/spectrion"; do
  lang=${run%%:*}
  exe=${run#*:}
  out=$work/tree-$lang.txt
  dbus-run-session -- "$python" "$here/accessibility_tree.py" "$lang" "$exe" "$out" \
    2>"$work/bus-$lang.log"
  rc=$?
  if [ "$rc" -eq 77 ]; then
    grep -v "fd limit" "$work/bus-$lang.log" | tail -n 5
    skip "the accessibility bus could not be started"
  fi
  if [ "$rc" -ne 0 ]; then
    echo "--- $lang: accessibility check failed (status $rc)"
    grep "^FAILED:" "$work/bus-$lang.log"
    grep -v "fd limit" "$work/bus-$lang.log" | grep -v "^FAILED:" | tail -n 40
    status=1
  fi
  [ -n "$dump" ] && [ -f "$out" ] && cp "$out" "$dump.$lang"
done
[ "$status" -eq 0 ] && echo "accessibility trees read in English and German"
exit "$status"
