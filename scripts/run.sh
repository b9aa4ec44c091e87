#!/usr/bin/env bash
# Installs what is missing, builds everything and starts Spectrion.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
if [ ! -x "$root/build/app/spectrion/spectrion" ]; then
  echo "Spectrion is built as a component suite only: the simulation window does not exist yet."
  exit 0
fi
exec "$root/build/app/spectrion/spectrion" "$@"
