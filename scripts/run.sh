#!/usr/bin/env bash
# Installs what is missing, builds everything and starts Spectrion with the
# given arguments. Without a display it says so and points to the headless
# plot tool instead of letting the window system fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
program="$root/build/app/spectrion/spectrion"
plot_tool="$root/build/app/spectrion-plot/spectrion-plot"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] &&
   [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  echo "Spectrion is built, but there is no display to show its window on"
  echo "(neither DISPLAY nor WAYLAND_DISPLAY is set)."
  echo "Start it from a graphical desktop session, or plot without a display with"
  echo "the headless plot tool spectrion-plot:"
  echo "  $plot_tool --help"
  exit 2
fi
exec "$program" "$@"
