#!/usr/bin/env bash
# Installs a build tree into a scratch prefix and checks the installed layout:
# the program with its language file and icon side by side, the link in bin/,
# both language files for switching, the desktop entry, icons and metainfo.
# Usage: check_install.sh <build-dir> <scratch-dir>
set -euo pipefail
build=$1
prefix=$2/prefix
rm -rf "$2"
cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
need() { [ -e "$prefix/$1" ] || { echo "missing: $1"; fail=1; }; }
need lib/spectrion/spectrion
need lib/spectrion/spectrion.itl
need lib/spectrion/spectrion.png
need bin/spectrion
need share/spectrion/lang/spectrion.itl
need share/spectrion/lang/spectrion-de.itl
need share/applications/org.example.Spectrion.desktop
need share/metainfo/org.example.Spectrion.metainfo.xml
need share/icons/hicolor/48x48/apps/spectrion.png
need share/icons/hicolor/scalable/apps/spectrion.svg
need lib/spectrion/spectrion-plot
need bin/spectrion-plot
need share/man/man1/spectrion.1.gz
need share/man/man1/spectrion-plot.1.gz
if [ -L "$prefix/bin/spectrion" ]; then
  target=$(readlink -f "$prefix/bin/spectrion")
  [ "$target" = "$(readlink -f "$prefix/lib/spectrion/spectrion")" ] ||
    { echo "bin/spectrion points to $target"; fail=1; }
else
  echo "bin/spectrion is not a link"; fail=1
fi
[ -x "$prefix/lib/spectrion/spectrion" ] || { echo "program not executable"; fail=1; }
# The language beside the program is English; the German file is selectable.
grep -q '^\[\$dlglanguage\$\]=lgEnglish' "$prefix/lib/spectrion/spectrion.itl" ||
  { echo "installed language is not English"; fail=1; }
grep -q '^\[\$dlglanguage\$\]=lgGerman' "$prefix/share/spectrion/lang/spectrion-de.itl" ||
  { echo "German language file is not German"; fail=1; }
# The icon the language file names is the one installed beside the program.
icon=$(sed -n 's/^\[AppIconName\]=\(.*\)|\$\$.*/\1/p' "$prefix/lib/spectrion/spectrion.itl")
[ -e "$prefix/lib/spectrion/$icon" ] || { echo "icon $icon not beside the program"; fail=1; }
exit $fail
