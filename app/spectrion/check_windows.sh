#!/usr/bin/env bash
# spectrion.exe as a student on Windows meets it, under Wine on a private X
# server (Xvfb, with a small window manager when one is installed): the About
# box comes first, Enter closes it, the main window follows; the temperature
# moves with the keyboard; a screenshot of the window is taken and checked
# for the curve; the program ends through its window. Prints what it measured.
# Exit 77 (skipped) without Xvfb, xdotool or ImageMagick.
# Usage: check_windows.sh <spectrion.exe> <wine64> <wineserver> <prefix> <out-dir>
set -uo pipefail
exe=$(readlink -f "$1") wine=$2 wineserver=$3 prefix=$4 out=$5
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
mkdir -p "$out"
work=$(mktemp -d /tmp/scw-XXXXXX)
pids=()
cleanup() {
  WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & pids+=($!); sleep 0.5; fi

# A prefix of its own that draws on the X server (the test prefix uses the
# null display driver), made once.
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$prefix/.ready" ]; then
  mkdir -p "$prefix"
  "$wine" wineboot --init </dev/null >/dev/null 2>&1 && "$wineserver" -w && touch "$prefix/.ready" ||
    fail "could not make the Wine prefix $prefix"
fi

cp "$(dirname "$exe")/spectrion.itl" "$work/" 2>/dev/null
t0=$(date +%s%N)
"$wine" "$exe" </dev/null >"$work/program.out" 2>&1 &
program=$!
pids+=($program)

# Windows by title: the About box first.
find_window() { # title pattern, seconds
  for _ in $(seq $(( $2 * 10 ))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$program" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
about=$(find_window "^About$" 60) || { cat "$work/program.out"; fail "no About box within 60 s"; }
echo "About box after $(( ($(date +%s%N) - t0) / 1000000 )) ms"
eval "$(xdotool getwindowgeometry --shell "$about")"
echo "About box at $X,$Y size ${WIDTH}x$HEIGHT"
xdotool windowactivate --sync "$about" 2>/dev/null || xdotool windowfocus --sync "$about"
sleep 0.3
xdotool key --clearmodifiers Return
main=$(find_window "^Spectrion - " 20) || fail "no main window after Enter"
for _ in $(seq 50); do
  xdotool search --onlyvisible --name "^About\$" >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name "^About\$" >/dev/null 2>&1 && fail "Enter left the About box open"
eval "$(xdotool getwindowgeometry --shell "$main")"
echo "main window at $X,$Y size ${WIDTH}x$HEIGHT"
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
sleep 0.5
import -window "$main" "$out/spectrion-windows-before.png"
# The first focus is on the temperature: ten steps up.
for _ in $(seq 10); do xdotool key --clearmodifiers Right; sleep 0.05; done
sleep 1
import -window "$main" "$out/spectrion-windows.png" || fail "no screenshot"
changed=$(compare -metric AE "$out/spectrion-windows-before.png" "$out/spectrion-windows.png" \
          null: 2>&1 | cut -d' ' -f1)
echo "pixels changed by the keys: $changed"
[ "${changed%.*}" -gt 100 ] 2>/dev/null || fail "the keys did not move the curve"
colours=$(convert "$out/spectrion-windows.png" -format %k info:)
echo "colours in the screenshot: $colours"
[ "$colours" -gt 8 ] || fail "the screenshot shows no chart"
echo "screenshot: $out/spectrion-windows.png"

# Ending: Alt+F4 on the main window, as a user closes it.
xdotool key --clearmodifiers alt+F4
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "the program did not end on Alt+F4"
wait "$program"; rc=$?
echo "program ended with status $rc"
[ "$rc" = 0 ] || fail "exit status $rc"
echo "ok"
