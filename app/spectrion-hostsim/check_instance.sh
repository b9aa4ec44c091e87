#!/usr/bin/env bash
# The single-instance rule and the host's quit message end to end, with the
# real component in separate processes (the simulator's instance mode):
# hand-over of the parameters without and with a host, kill -9 recovery,
# a lock that started programs do not inherit, quit accepted, vetoed and with
# the server down, and a stopped host costing at most the bounded time.
# Usage: check_instance.sh <spectrion-hostsim>
set -euo pipefail
sim=$(readlink -f "$1")
work=$(mktemp -d /tmp/shi-XXXXXX)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work
fail() { echo "FAIL: $*"; exit 1; }
waitfor() { # file text [tenths of a second]
  for _ in $(seq "${3:-50}"); do grep -qF -- "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  cat "$1" 2>/dev/null; fail "no \"$2\" in $1"
}
now() { date +%s%N; }
ms_since() { echo $(( ($(now) - $1) / 1000000 )); }

# --- Without a host ---------------------------------------------------------
"$sim" instance --title Demo first > "$work/a.out" & a=$!; pids+=($a)
waitfor "$work/a.out" "instance "
t=$(now)
"$sim" instance --title Demo "second start" two > "$work/b.out"
echo "second start without host: exit 0 after $(ms_since "$t") ms"
grep -q "instance " "$work/b.out" && fail "the second start became an instance too"
waitfor "$work/a.out" "event params: $sim|instance|--title|Demo|second start|two"

# kill -9: the next start is the instance within 1 s.
kill -9 $a; wait $a 2>/dev/null || true
t=$(now)
"$sim" instance --title Demo --spawn "sleep 30" > "$work/c.out" & c=$!; pids+=($c)
waitfor "$work/c.out" "instance " 10
echo "after kill -9: new instance after $(ms_since "$t") ms"
waitfor "$work/c.out" "spawned "
child=$(sed -n 's/^spawned //p' "$work/c.out"); pids+=($child)
# A program the instance started must not keep its lock.
kill -9 $c; wait $c 2>/dev/null || true
kill -0 "$child" || fail "the started program ended too early"
"$sim" instance --title Demo > "$work/d.out" & d=$!; pids+=($d)
waitfor "$work/d.out" "instance " 10
kill $d; wait $d || fail "instance exit status"
grep -q "instance ended" "$work/d.out" || fail "no orderly end"

# --- With a host ------------------------------------------------------------
serve() { # suffix log extra options...
  local suffix=$1 log=$2; shift 2
  "$sim" serve --suffix "$suffix" --log "$log" --max-seconds 60 "$@" > "$work/serve-$suffix.out" &
  pids+=($!)
  waitfor "$work/serve-$suffix.out" serving
}
serve h1 "$work/h1.jsonl"
"$sim" instance /serverhandle=h1 --use-server --title Book > "$work/e.out" & e=$!; pids+=($e)
waitfor "$work/e.out" "instance "
"$sim" instance /serverhandle=h1 --use-server --title Book handed over > "$work/f.out"
waitfor "$work/e.out" "event params: $sim|instance|--use-server|--title|Book|handed|over"
grep -q '"name":"dmParams"' "$work/h1.jsonl" && fail "the parameters went through the host"
kill $e; wait $e
[ "$(tail -n1 "$work/h1.jsonl" | grep -o '"name":"[a-zA-Z]*"')" = '"name":"dmUnregister"' ] ||
  fail "the instance did not withdraw last"

# A host that does not know the instance (it does not use the host): the
# second start falls back to the window recorded beside the lock.
"$sim" instance /serverhandle=h1 --title Alone > "$work/g.out" & g=$!; pids+=($g)
waitfor "$work/g.out" "instance "
"$sim" instance /serverhandle=h1 --title Alone again > "$work/h.out"
waitfor "$work/g.out" "event params: $sim|instance|--title|Alone|again"
kill $g; wait $g

# Quit accepted: the instance ends and withdraws.
serve q1 "$work/q1.jsonl" --on-register quit
"$sim" instance /serverhandle=q1 --use-server --title Q > "$work/q1.out" &
pids+=($!); wait $! || fail "quit exit status"
grep -q "event quit: server_down=0 allowed=1" "$work/q1.out" || fail "quit not seen"
grep -q "instance ended" "$work/q1.out" || fail "quit did not end the instance"
grep -q '"name":"dmUnregister"' "$work/q1.jsonl" || fail "no withdrawal after quit"

# Quit vetoed: the instance stays.
serve q2 "$work/q2.jsonl" --on-register quit
"$sim" instance /serverhandle=q2 --use-server --veto-quit --title Q > "$work/q2.out" & v=$!; pids+=($v)
waitfor "$work/q2.out" "event quit: server_down=0 allowed=0"
sleep 0.3
kill -0 $v || fail "a vetoed quit ended the instance"
kill $v; wait $v

# Quit with the server down: no withdrawal.
serve q3 "$work/q3.jsonl" --on-register quit-down
"$sim" instance /serverhandle=q3 --use-server --title Q > "$work/q3.out" &
pids+=($!); wait $!
grep -q "event quit: server_down=1 allowed=1" "$work/q3.out" || fail "server-down quit not seen"
grep -q '"name":"dmUnregister"' "$work/q3.jsonl" && fail "withdrew from a server that is down"

# A stopped host: each request costs at most the bounded time.
serve st "$work/st.jsonl" --value V=v
server=${pids[-1]}
kill -STOP "$server"
t=$(now)
"$sim" client /serverhandle=st --timeout-ms 1000 get-value=V get-value=V get-value=V > "$work/st.out" || true
total=$(ms_since "$t")
kill -CONT "$server"
[ "$(grep -c 'get-value=V: error: Stream read error' "$work/st.out")" = 3 ] || { cat "$work/st.out"; fail "stopped host"; }
echo "stopped host: 3 requests at a 1 s bound took $total ms in all"
sed -n "s/^/  /p" "$work/st.out"
[ "$total" -lt 6000 ] || fail "a stopped host cost more than the bound"
echo "instance checks passed"
