#!/usr/bin/env bash
# Simultaneous starts: N copies of a program started at once must leave
# exactly one running instance while the other N-1 end with status 0 within
# a time limit. Repeats for a number of rounds and reports the failures and
# the slowest round.
# Usage: check_simultaneous.sh ROUNDS N LIMIT_MS PROGRAM [ARGS...]
set -uo pipefail
rounds=$1 n=$2 limit=$3; shift 3
work=$(mktemp -d /tmp/shs-XXXXXX)
export XDG_RUNTIME_DIR=$work
trap 'rm -rf "$work"' EXIT
failures=0 worst=0
now() { date +%s%N; }
for round in $(seq "$rounds"); do
  pids=()
  t0=$(now)
  for i in $(seq "$n"); do "$@" "round $round" "start $i" > /dev/null 2>&1 & pids+=($!); done
  alive=$n
  while :; do
    alive=0
    for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && alive=$((alive + 1)); done
    elapsed=$(( ($(now) - t0) / 1000000 ))
    [ "$alive" -le 1 ] && break
    [ "$elapsed" -gt $((limit * 3)) ] && break
    sleep 0.05
  done
  [ "$elapsed" -gt "$worst" ] && worst=$elapsed
  bad=""
  [ "$alive" = 1 ] || bad="$alive running"
  [ "$elapsed" -le "$limit" ] || bad="$bad; took $elapsed ms"
  survivor=""
  for p in "${pids[@]}"; do
    if kill -0 "$p" 2>/dev/null; then survivor=$p; continue; fi
    wait "$p"; rc=$?
    [ "$rc" = 0 ] || bad="$bad; exit status $rc"
  done
  if [ -n "$bad" ]; then failures=$((failures + 1)); echo "round $round: $bad"; fi
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
done
echo "simultaneous starts: $rounds rounds of $n, failures $failures, slowest round $worst ms"
[ "$failures" = 0 ]
