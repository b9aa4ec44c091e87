#!/usr/bin/env bash
# A target the user may not write is refused with the reason and keeps its
# content, as the shell's redirection refuses it; here with the plot tool,
# whose CSV goes through the atomic file writer that every writer shares.
# Run as root, the check plays an ordinary user (root may write anything).
# Usage: check_write_protected.sh <spectrion-plot>
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$work"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
target=$work/f.csv
"${as_user[@]}" sh -c 'echo old > "$1" && chmod 444 "$1"' _ "$target" || exit 1

# The shell's own redirection is refused: the set-up is what it claims.
if "${as_user[@]}" sh -c 'echo new > "$1"' _ "$target" 2>/dev/null; then
  echo "the shell could write the protected file: nothing to check"; exit 1
fi

out=$("${as_user[@]}" env HOME="$work" QT_QPA_PLATFORM=offscreen "$tool" --csv "$target" 2>&1)
status=$?
fail=0
[ "$status" -ne 0 ] || { echo "exit status 0 for a write-protected target"; fail=1; }
[ "$(cat "$target")" = old ] || { echo "the old content is gone"; fail=1; }
case $out in
  *"$target"*"Permission denied"*) ;;
  *) echo "no reason given: $out"; fail=1 ;;
esac
exit $fail
