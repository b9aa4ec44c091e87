#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite:
# the Linux build in ./build, then the Windows build in ./build-windows with
# its tests under Wine. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Each step says how long it took (seconds of wall time), for the CI log.
step() { # name command...
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "test.sh: $name took $((SECONDS - start)) s"
}
step "Linux build" "$root/scripts/build.sh" "$root/build"
step "Linux tests" env QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure \
  --parallel "$(nproc)" ${SPECTRION_CTEST_ARGS:-}
step "Windows build" "$root/scripts/build-windows.sh" "$root/build-windows"
step "Windows tests" ctest --test-dir "$root/build-windows" --output-on-failure --parallel "$(nproc)" \
  ${SPECTRION_WINDOWS_CTEST_ARGS:-}
