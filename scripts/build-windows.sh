#!/usr/bin/env bash
# Installs what is missing, then cross-builds the Windows programs and tests
# into their own build directory (default ./build-windows).
# Usage: scripts/build-windows.sh [build-dir] [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-windows}
[ $# -gt 0 ] && shift
"$root/scripts/install-deps.sh"
opts=("$@")
if [ "${CI:-}" = "true" ]; then opts+=(-DSPECTRION_WERROR=ON); fi
if command -v ccache >/dev/null 2>&1; then opts+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "${opts[@]}" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
