#!/usr/bin/env bash
# Configures (once) and builds Spectrion into the given build directory.
# Usage: scripts/build.sh <build-dir> [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
opts=("$@")
if [ "${CI:-}" = "true" ]; then opts+=(-DSPECTRION_WERROR=ON); fi
cmake -S "$root" -B "$dir" "${opts[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
