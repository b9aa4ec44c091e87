#!/usr/bin/env bash
# Builds the Windows programs (scripts/build-windows.sh), then their installer
# and portable zip into <build-dir>/package/:
#   spectrion-<version>-windows-x64-setup.exe
#   spectrion-<version>-windows-x64-portable.zip
# Usage: scripts/package-windows.sh [build-dir] [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-windows}
[ $# -gt 0 ] && shift
"$root/scripts/build-windows.sh" "$dir" "$@"
if ! cmake --build "$dir" --target help | grep -qx '\.\.\. package-windows'; then
  echo "package-windows.sh: the Windows build has no programs spectrion and spectrion-plot" \
       "yet; the target package-windows-standin builds a trial package from a stand-in" >&2
  exit 1
fi
cmake --build "$dir" --target package-windows
