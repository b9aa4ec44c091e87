#!/usr/bin/env bash
# Installs the Debian packages Spectrion needs to build, test and run.
# Installs nothing when everything is present; never prompts.
#   install-deps.sh           what the build, the tests and the program need
#   install-deps.sh --peers   also the peer benchmark's contenders (bench/README.md)
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2
  dpkg-dev lintian man-db file desktop-file-utils
  xvfb dbus dbus-bin at-spi2-core python3-pyatspi python3-gi
  # The Windows build: cross compiler, GoogleTest sources, Wine to run the tests.
  g++-mingw-w64-x86-64-posix googletest wine wine64
  # The Windows programs' resources, their installer and portable zip.
  python3 nsis zip unzip
  # The Windows build's picture files: the single-header PNG and BMP reader and writer.
  libstb-dev
  # The Windows program's check on a private X server: keys, windows, screenshots.
  xdotool imagemagick openbox
)
if [ "${1:-}" = "--peers" ]; then
  packages+=(libqcustomplot-dev python3-matplotlib python3-numpy)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "Cannot install packages without root. Please run:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
