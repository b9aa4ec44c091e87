#!/usr/bin/env bash
# Under a real X server (Xvfb, on a display number it picks itself), with
# message boxes really on screen:
# 1. a start-up error box (the runtime directory cannot be used): SIGTERM
#    ends the program while the box waits;
# 2. at run time a same-user peer sends 2000 quit frames without their flag
#    byte, each on its own connection: the program holds few descriptors,
#    still answers a message at once, and SIGTERM ends it with status 0
#    while the error box is open.
# Prints the figures it measures. Exit 77 (skipped) without Xvfb.
# Usage: check_modal_signals.sh <spectrion> <spectrion-hostsim>
set -uo pipefail
program=$(readlink -f "$1")
sim=$(readlink -f "$2")
command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }
work=$(mktemp -d /tmp/sms-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(cat "$work/display")
unset QT_QPA_PLATFORM
fail=0

# Sends SIGTERM to $1 and reports after how long it ended (at most 5 s) and
# with which status; kills it when it does not end.
end_with_term() {
  local pid=$1 what=$2 start=$(date +%s%N)
  kill -TERM "$pid"
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: $what: SIGTERM ignored for 5 s"; kill -9 "$pid"; wait "$pid" 2>/dev/null; fail=1
    return
  fi
  wait "$pid"
  local status=$?
  echo "$what: ended $((($(date +%s%N) - start) / 1000000)) ms after SIGTERM, status $status"
  last_status=$status
}

# 1. The start-up error box.
mkdir -m 700 "$work/bad" && touch "$work/bad/spectrion"
XDG_RUNTIME_DIR=$work/bad "$program" > "$work/startup.out" 2>&1 &
pid=$!
pids+=($pid)
sleep 3
if ! kill -0 $pid 2>/dev/null; then
  echo "FAIL: no start-up box waited"; cat "$work/startup.out"; fail=1
else
  end_with_term $pid "start-up error box"
fi

# 2. The hostile peer at run time.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
"$program" > "$work/run.out" 2>&1 &
pid=$!
pids+=($pid)
for _ in $(seq 300); do "$sim" peer params >/dev/null 2>&1 && break; sleep 0.1; done
fds() { ls "/proc/$1/fd" | wc -l; }
before=$(fds $pid)
"$sim" peer empty-quit 2000 | sed 's/^/peer: /'
sleep 1
after=$(fds $pid)
echo "descriptors held: $before before the flood, $after after"
[ "$after" -le $((before + 70)) ] || { echo "FAIL: descriptors grow with the peer's messages"; fail=1; }
answer=$("$sim" peer params) || { echo "FAIL: the program no longer answers"; fail=1; }
echo "after the flood: $answer"
kill -0 $pid 2>/dev/null || { echo "FAIL: the program ended"; cat "$work/run.out"; exit 1; }
last_status=
end_with_term $pid "run time, error box open"
[ "$last_status" = 0 ] || { echo "FAIL: exit status $last_status"; fail=1; }
exit $fail
