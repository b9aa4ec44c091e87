#!/usr/bin/env bash
# Builds the Windows package and tries it under Wine, in the build's own
# prefix: installs it silently (English by default, German with /LANG=de,
# over an earlier installation, into another folder with /D=), checks the
# installed files against the portable zip, the chosen language file, the
# Start-menu entry and the "Apps & features" values, runs the uninstaller
# silently and checks that nothing is left in Program Files, the Start menu
# or the registry, except a file the user put there. An unknown /LANG must
# fail and install nothing. Prints the sizes of the installer and the zip in
# bytes.
#   check_installer.sh BUILD-DIR PACKAGE-TARGET PACKAGE-DIR VERSION
# e.g. check_installer.sh build-windows package-windows build-windows/package 1.1.0
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: check_installer.sh BUILD-DIR PACKAGE-TARGET PACKAGE-DIR VERSION" >&2; exit 2; }
build=$(cd "$1" && pwd) target=$2 pkg=$3 version=$4

log=$(mktemp)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp" "$log"' EXIT
if ! nice -n 10 cmake --build "$build" --target "$target" >"$log" 2>&1; then
  cat "$log"
  echo "FAIL: building $target"
  exit 1
fi

run=$build/wine-run
prefix=$build/wineprefix
setup=$pkg/spectrion-$version-windows-x64-setup.exe
zip=$pkg/spectrion-$version-windows-x64-portable.zip
shortcut=$prefix/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Spectrion.lnk
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Spectrion'
# The folder installed into, as Windows and as this machine name it.
use_folder() { # WINDOWS-PATH (C:\...)
  wininst=$1
  instdir=$prefix/drive_c/$(echo "${1#C:\\}" | tr '\\' /)
}
use_folder 'C:\Program Files\Spectrion'

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# One value of the uninstall key as reg.exe shows it, or nothing.
reg_value() {
  "$run" reg query "$key" /v "$1" 2>/dev/null | sed -nE "s/^ +$1 +REG_[A-Z_]+ +//p"
}
key_exists() { "$run" reg query "$key" >/dev/null 2>&1; }

expect_value() {
  local got
  got=$(reg_value "$1")
  [ "$got" = "$2" ] || fail "registry value $1 is '$got', expected '$2'"
}

# The uninstaller copies itself away and returns at once; the key goes last.
uninstall() {
  "$run" "$wininst\\uninstall.exe" /S || fail "uninstaller exit code $?"
  for _ in $(seq 60); do
    key_exists || return 0
    sleep 1
  done
  fail "the uninstaller did not finish within a minute"
}

expect_nothing_left() {
  if [ -e "$instdir" ]; then
    fail "left in $wininst: $(cd "$instdir" && find . | sort | tr '\n' ' ')"
  fi
  [ ! -e "$shortcut" ] || fail "the Start-menu entry is left"
  ! key_exists || fail "the uninstall key is left"
}

# A clean start, should an earlier run have been cut short.
rm -rf "$instdir" "$shortcut" "$prefix/drive_c/Apps"
"$run" reg delete "$key" /f >/dev/null 2>&1 || true

unzip -q "$zip" -d "$tmp/zip"
portable=$tmp/zip/spectrion-$version-windows-x64
[ -d "$portable" ] || { echo "FAIL: the zip has no folder spectrion-$version-windows-x64"; exit 1; }
cmp -s "$portable/spectrion.itl" "$portable/lang/spectrion.itl" ||
  fail "the zip's spectrion.itl is not the English language file"
(cd "$portable" && find . -type f | sort) >"$tmp/zip-files"
(cat "$tmp/zip-files"; echo ./uninstall.exe) | sort >"$tmp/expected-files"

# Installs with the given options into the current folder and checks the
# files, the language file, the Start-menu entry and the uninstall key.
install_and_check() { # LANGUAGE-FILE [installer options...]
  local lang_file=$1
  shift
  "$run" "$setup" /S "$@" || { fail "installer $* exit code $?"; return; }
  if [ ! -d "$instdir" ]; then
    fail "installer $* installed nothing in $wininst"
    return
  fi
  (cd "$instdir" && find . -type f | sort) >"$tmp/installed"
  diff -u "$tmp/expected-files" "$tmp/installed" >/dev/null ||
    fail "installed files differ from the zip's: $(diff "$tmp/expected-files" "$tmp/installed" | grep '^[<>]' | tr '\n' ' ')"
  while read -r f; do
    [ "$f" = ./spectrion.itl ] && continue
    [ ! -f "$instdir/$f" ] || cmp -s "$portable/$f" "$instdir/$f" || fail "$f differs from the zip's"
  done <"$tmp/zip-files"
  cmp -s "$instdir/spectrion.itl" "$portable/lang/$lang_file" ||
    fail "installer $*: spectrion.itl is not lang/$lang_file"
  [ -f "$shortcut" ] || fail "no Start-menu entry"

  expect_value DisplayName Spectrion
  expect_value DisplayVersion "$version"
  expect_value Publisher "The Spectrion developers"
  expect_value DisplayIcon "$wininst\\spectrion.ico"
  expect_value InstallLocation "$wininst"
  expect_value UninstallString "\"$wininst\\uninstall.exe\""
  expect_value QuietUninstallString "\"$wininst\\uninstall.exe\" /S"
  expect_value NoModify 0x1
  expect_value NoRepair 0x1
  local bytes kb got
  bytes=$(find "$instdir" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
  kb=$((bytes / 1024))
  got=$(reg_value EstimatedSize)
  if [[ ! $got =~ ^0x[0-9a-fA-F]+$ ]] || (((got - kb) ** 2 > 1)); then
    fail "EstimatedSize is '$got', expected about $kb (KiB)"
  fi
}

# The installed programs start from their folder: the plot tool draws the
# chart into a PNG file, and the program (its windows on Wine's null display)
# is still running after a few seconds, until it is ended.
programs_start_and_draw() {
  local png="$tmp/installed-plot.png"
  rm -f "$png"
  "$run" "$wininst\\spectrion-plot.exe" --temperature 5800 --band -o "$(winepath_of "$png")" ||
    fail "the installed plot tool exit code $?"
  [ "$(head -c 8 "$png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    fail "the installed plot tool wrote no PNG picture"
  WINE_RUN_EXEC=1 "$run" "$wininst\\spectrion.exe" >"$tmp/program.out" 2>&1 &
  local program=$!
  sleep 5
  if kill -0 "$program" 2>/dev/null; then
    echo "the installed program starts and keeps running; the plot tool drew $(stat -c %s "$png") bytes"
  else
    local rc=0
    wait "$program" || rc=$?
    fail "the installed program ended at once (exit code $rc): $(tr -d '\r' <"$tmp/program.out")"
  fi
  kill -9 "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
}
winepath_of() { echo "Z:$(echo "$1" | tr / '\\')"; }

# English by default; the programs start and draw; removed without a trace.
install_and_check spectrion.itl
programs_start_and_draw
uninstall
expect_nothing_left

# German, then English installed over it; a file of the user's survives the
# uninstaller, and only that file.
install_and_check spectrion-de.itl /LANG=de
install_and_check spectrion.itl /LANG=EN
echo "my notes" >"$instdir/notes.txt"
uninstall
if [ "$(cd "$instdir" 2>/dev/null && find . | sort | tr '\n' ' ')" != ". ./notes.txt " ]; then
  fail "after uninstalling, $wininst holds '$(cd "$instdir" 2>/dev/null && find . | sort | tr '\n' ' ')', expected only the user's notes.txt"
fi
rm -rf "$instdir"
expect_nothing_left

# Another folder (one the user made), chosen on the command line.
mkdir -p "$prefix/drive_c/Apps"
use_folder 'C:\Apps\Spectrion'
install_and_check spectrion-de.itl /LANG=de "/D=$wininst"
uninstall
expect_nothing_left
[ -z "$(ls -A "$prefix/drive_c/Apps")" ] || fail "C:\\Apps is not empty after uninstalling"
rmdir "$prefix/drive_c/Apps"
use_folder 'C:\Program Files\Spectrion'

# A language the program does not have is refused, and nothing is installed.
set +e
"$run" "$setup" /S /LANG=fr >/dev/null 2>&1
rc=$?
set -e
[ "$rc" -eq 2 ] || fail "installer /LANG=fr exit code $rc, expected 2"
expect_nothing_left

echo "installer: $(stat -c %s "$setup") bytes ($(basename "$setup"))"
echo "portable zip: $(stat -c %s "$zip") bytes ($(basename "$zip"))"
if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "the installer installs, registers and removes Spectrion cleanly"
