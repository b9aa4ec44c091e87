#!/usr/bin/env bash
# Builds the Debian package from a build tree and inspects it: control fields
# and computed dependencies, the file list against the documented layout,
# lintian without errors, manual pages that render, and the unpacked tools
# running from the package's own files (the program starting offscreen and
# ending cleanly on SIGTERM).
# Usage: check_package.sh <build-dir> <version>
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
work=$build/package-check
rm -rf "$work"
mkdir -p "$work"
fail=0
problem() { echo "PROBLEM: $*"; fail=1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/spectrion_"$version"_*.deb)
echo "package: $deb"

# Control fields; the dependencies come from dpkg-shlibdeps.
[ "$(dpkg-deb -f "$deb" Package)" = spectrion ] || problem "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || problem "version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  tr "," "\n" <<<"$depends" | sed "s/^ *//" | grep -q "^$lib (>= " ||
    problem "no versioned dependency on $lib"
done

# The file list is exactly the documented layout (directories aside).
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' |
  sort >"$work/files.txt"
sort >"$work/expected.txt" <<'LIST'
./usr/bin/spectrion -> ../lib/spectrion/spectrion
./usr/bin/spectrion-plot -> ../lib/spectrion/spectrion-plot
./usr/lib/spectrion/spectrion
./usr/lib/spectrion/spectrion-plot
./usr/lib/spectrion/spectrion.itl
./usr/lib/spectrion/spectrion.png
./usr/share/applications/org.example.Spectrion.desktop
./usr/share/doc/spectrion/changelog.gz
./usr/share/doc/spectrion/copyright
./usr/share/icons/hicolor/48x48/apps/spectrion.png
./usr/share/icons/hicolor/scalable/apps/spectrion.svg
./usr/share/man/man1/spectrion-plot.1.gz
./usr/share/man/man1/spectrion.1.gz
./usr/share/metainfo/org.example.Spectrion.metainfo.xml
./usr/share/spectrion/lang/spectrion-de.itl
./usr/share/spectrion/lang/spectrion.itl
LIST
diff -u "$work/expected.txt" "$work/files.txt" || problem "file list differs from the layout"

# Lintian: no errors (warnings and notes are listed for the reader).
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 ||
  { cat "$work/lintian.txt"; problem "lintian reports errors"; }
cat "$work/lintian.txt"

# The unpacked package: manual pages render cleanly, the tools run from it.
root=$work/root
dpkg-deb -x "$deb" "$root"
for page in spectrion spectrion-plot; do
  file=$root/usr/share/man/man1/$page.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null || true)
  [ -z "$warnings" ] || problem "man page $page: $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null | grep -q "^NAME" ||
    problem "man page $page does not render"
done
[ "$("$root/usr/bin/spectrion" --version)" = "spectrion $version" ] || problem "spectrion --version"
[ "$("$root/usr/bin/spectrion-plot" --version)" = "spectrion-plot $version" ] ||
  problem "spectrion-plot --version"
"$root/usr/bin/spectrion-plot" -t 5800 --band -o "$work/plot.png" ||
  problem "spectrion-plot cannot draw from the package's files"
[ "$(head -c 8 "$work/plot.png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
  problem "spectrion-plot wrote no PNG"
# The program starts offscreen (its About box waits for the user) and ends
# cleanly when the session asks it to. A private runtime directory keeps its
# single-instance lock apart from any other Spectrion running meanwhile.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen "$root/usr/bin/spectrion" >"$work/run.log" 2>&1 &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null; then
  kill -TERM "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || problem "spectrion ended with status $status on SIGTERM"
else
  problem "spectrion did not keep running: $(cat "$work/run.log")"
fi
exit $fail
