#!/usr/bin/env bash
# Starts the program offscreen (its About box waits for the user at start-up)
# and asks it to end with each of the signals a session or terminal sends; it
# must end with status 0 each time, not be killed.
# Usage: check_signals.sh <program>
set -uo pipefail
program=$1
fail=0
# A private runtime directory: another Spectrion running meanwhile (a test
# beside this one) would otherwise hold the single-instance lock, and this
# start would hand over its parameters and end at once.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
for signal in TERM INT HUP; do
  QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1 &
  pid=$!
  sleep 1.5
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program did not keep running"; fail=1; continue
  fi
  kill -"$signal" "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || { echo "SIG$signal: exit status $status"; fail=1; }
done
# A hang-up ignored by whoever started the program (nohup) stays ignored;
# SIGTERM still ends it.
QT_QPA_PLATFORM=offscreen nohup "$program" >/dev/null 2>&1 &
pid=$!
sleep 1.5
kill -HUP "$pid" 2>/dev/null
sleep 0.5
if ! kill -0 "$pid" 2>/dev/null; then
  echo "nohup: SIGHUP ended the program"; fail=1
else
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || { echo "nohup, SIGTERM: exit status $status"; fail=1; }
fi
exit $fail
