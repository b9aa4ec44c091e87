#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# Exits non-zero on any failure. Build output goes to ./build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build" --output-on-failure \
  --parallel "$(nproc)" ${SPECTRION_CTEST_ARGS:-}
