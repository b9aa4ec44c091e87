#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite:
# the Linux build in ./build, then the Windows build in ./build-windows with
# its tests under Wine. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure \
  --parallel "$(nproc)" ${SPECTRION_CTEST_ARGS:-}
"$root/scripts/build-windows.sh" "$root/build-windows"
ctest --test-dir "$root/build-windows" --output-on-failure --parallel "$(nproc)" \
  ${SPECTRION_WINDOWS_CTEST_ARGS:-}
