#!/usr/bin/env bash
# Builds the Windows installer and the portable zip of Spectrion from built
# programs (called by the Windows build's package targets):
#   make_package.sh SOURCE-DIR VERSION OUT-DIR NAME=PROGRAM...
# e.g. spectrion.exe=build-windows/app/spectrion/spectrion.exe. Writes
#   OUT-DIR/spectrion-VERSION-windows-x64-setup.exe
#   OUT-DIR/spectrion-VERSION-windows-x64-portable.zip
# both holding the same files: the programs, the language file spectrion.itl
# (English in the zip; the installer installs the language chosen), both
# language files under lang\, the window icon the language file names
# (spectrion.png), the program icon (spectrion.ico) and the licence.
# Time stamps are fixed (SOURCE_DATE_EPOCH, else the last commit's time), so
# the same files give the same packages.
set -euo pipefail
die() { echo "make_package.sh: $*" >&2; exit 1; }
[ $# -ge 4 ] || die "usage: make_package.sh SOURCE-DIR VERSION OUT-DIR NAME=PROGRAM..."
src=$1 version=$2 out=$3
shift 3
for tool in makensis zip x86_64-w64-mingw32-strip; do
  command -v "$tool" >/dev/null || die "$tool is missing (scripts/install-deps.sh installs it)"
done
[[ $version =~ ^[0-9]+(\.[0-9]+){0,3}$ ]] || die "version '$version' is not 1 to 4 numbers"
IFS=. read -r -a parts <<<"$version"
while [ ${#parts[@]} -lt 4 ]; do parts+=(0); done
version4=$(IFS=.; echo "${parts[*]}")

# strip takes the programs' time stamp from here too.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$src" log -1 --format=%ct 2>/dev/null || echo 0)}
base=spectrion-$version-windows-x64
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/stage/$base
rm -rf "$out/stage"
mkdir -p "$stage/lang"
for program in "$@"; do
  name=${program%%=*} file=${program#*=}
  [[ $name == *.exe && $name != */* ]] || die "'$program' is not NAME.exe=PROGRAM"
  [ -f "$file" ] || die "program $file is missing"
  cp "$file" "$stage/$name"
  # Shipped without symbols, as the Debian package is.
  x86_64-w64-mingw32-strip --strip-unneeded "$stage/$name" || die "cannot strip $file"
done
cp "$src/data/lang/spectrion.itl" "$stage/spectrion.itl"
cp "$src/data/lang/spectrion.itl" "$src/data/lang/spectrion-de.itl" "$stage/lang/"
cp "$src/data/icons/spectrion.png" "$src/data/icons/spectrion.ico" "$stage/"
cp "$src/packaging/copyright" "$stage/copyright.txt"

find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

setup=$out/$base-setup.exe zip=$out/$base-portable.zip
rm -f "$setup" "$zip"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DVERSION4="$version4" \
  -DSTAGE="$stage" -DOUTFILE="$setup.tmp" "$src/packaging/windows/spectrion.nsi" ||
  die "makensis failed"
mv "$setup.tmp" "$setup"
(cd "$out/stage" && find "$base" | LC_ALL=C sort | TZ=UTC zip -X -9 -q -@ "$zip.tmp") ||
  die "zip failed"
mv "$zip.tmp" "$zip"
echo "$setup"
echo "$zip"
