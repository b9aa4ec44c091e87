#!/usr/bin/env bash
# A same-user peer that misbehaves costs itself only, with the real
# component in separate processes:
# - a peer trickling a byte a second to a client's window does not stretch
#   the client's wait on a hung host beyond the 5 s limit of that send;
# - replies nobody asked for (stray replies) do not pile up in memory.
# Prints the figures it measures.
# Usage: check_hostile_peer.sh <spectrion-hostsim> [<simulator playing the peer>]
# (the second one lets an older build be measured with today's peer)
set -uo pipefail
sim=$(readlink -f "$1")
peer=$(readlink -f "${2:-$1}")
work=$(mktemp -d /tmp/shp-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work
# Freed memory must show in the resident size under AddressSanitizer too.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=0
fail=0

# 1. A hung host, a client waiting on it, a peer trickling to the client.
"$sim" serve --suffix hung --misbehave 4106=hang --max-seconds 40 > "$work/serve.out" &
pids+=($!)
for _ in $(seq 50); do grep -q serving "$work/serve.out" 2>/dev/null && break; sleep 0.1; done
"$sim" client /serverhandle=hung pump=300 get-value=TavelinWorkArea > "$work/client.out" 2>&1 &
client=$!
pids+=($client)
sleep 0.2
"$peer" peer trickle 20 > "$work/peer.out" 2>&1 &
pids+=($!)
wait $client
# The request's own time, as the client prints it: "(5004.3 ms)".
elapsed=$(sed -n 's/^get-value=TavelinWorkArea: .*(\([0-9]*\)\.[0-9] ms)$/\1/p' "$work/client.out")
echo "hung host with a trickling peer: the client's request ended after ${elapsed:-?} ms"
if [ -z "$elapsed" ] || [ "$elapsed" -gt 7000 ]; then
  cat "$work/client.out"
  echo "FAIL: the trickling peer stretched the send's 5 s limit"; fail=1
fi
for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
wait 2>/dev/null
pids=()

# 2. Stray replies: 8 of 32 MiB (256 MiB, four times what may be held) to an instance.
"$sim" instance --title Stray > "$work/instance.out" 2>&1 &
instance=$!
pids+=($instance)
for _ in $(seq 50); do grep -q "^instance " "$work/instance.out" 2>/dev/null && break; sleep 0.1; done
rss() { awk '/^VmRSS/ { print int($2 / 1024) }' "/proc/$1/status"; }
before=$(rss $instance)
"$peer" peer --size 33554432 stray-reply 8 || { echo "FAIL: stray replies not delivered"; fail=1; }
after=$(rss $instance)
echo "stray replies: 256 MiB sent, instance resident size $before MiB before, $after MiB after"
if [ "$after" -gt $((before + 150)) ]; then
  echo "FAIL: unmatched replies are kept without bound"; fail=1
fi
kill -0 $instance 2>/dev/null || { echo "FAIL: the instance ended"; fail=1; }
exit $fail
