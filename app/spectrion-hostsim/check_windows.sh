#!/usr/bin/env bash
# The host link of the Windows programs end to end under Wine, with the real
# component in separate processes (the simulator's modes): a host exchange of
# every request kind, the single-instance rule (hand-over without and with a
# host, a killed instance replaced), the host's quit, and a stopped host
# costing at most the bounded time per request. Prints what it measures.
# Usage: check_windows.sh <wine-run> <spectrion-hostsim.exe>
set -euo pipefail
run=$1
sim=$(readlink -f "$2")
export WINE_RUN_EXEC=1 # each start is the Windows process itself
work=$(mktemp -d /tmp/shw-XXXXXX)
pids=()
cleanup() { for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
s() { "$run" "$sim" "$@"; }
waitfor() { # file text [tenths of a second]
  for _ in $(seq "${3:-300}"); do grep -qF -- "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  tr -d '\r' <"$1" 2>/dev/null; fail "no \"$2\" in $1"
}
# (grep reads to the end: with -q it could stop early and fail the pipe.)
expect() { tr -d '\r' <"$1" | grep -F -- "$2" >/dev/null || { tr -d '\r' <"$1"; fail "expected in $1: $2"; }; }
now() { date +%s%N; }
ms_since() { echo $(( ($(now) - $1) / 1000000 )); }
serve() { # suffix log extra options...
  local suffix=$1 log=$2; shift 2
  "$run" "$sim" serve --suffix "$suffix" --log "$log" --max-seconds 120 "$@" > "$work/serve-$suffix.out" 2>&1 &
  pids+=($!)
  waitfor "$work/serve-$suffix.out" serving
}
# The parameters an instance reports, without the program's own path (which
# Windows spells its own way).
params_after_program() { tr -d '\r' <"$1" | sed -n 's/^event params: [^|]*|//p'; }

# --- Exchange ---------------------------------------------------------------
mkdir -p "$work/files"
printf 'icon-bytes' > "$work/files/icon.png"
serve 00ab12cd "$work/log.jsonl" --value 'TavelinWorkArea=C:\book\work\' --files "$(winepath -w "$work/files" 2>/dev/null || echo "Z:$work/files")" \
  --execute --text hello=world --file-name 'C:\x\demo=C:\book\demo.exe' --exit-after-unregister
server=${pids[-1]}
s client /serverhandle=00AB12CD --title Spectrion register find-title=Spectrion \
  find-title=Nobody get-value=TavelinWorkArea get-value=Other get-file=icon.png get-file=none \
  'file-name=C:\x\demo' query-text=hello 'execute=C:\windows\system32\hostname.exe||0|5' \
  'execute=C:\no\such\program.exe||0|0' 'query-text=sim:params:one|two words' pump=500 \
  'query-text=sim:quit:0' pump=2000 > "$work/client.out" 2>&1 || true
wait "$server" || fail "server exit status $?"
out=$work/client.out
expect "$out" 'register: registered as'
expect "$out" 'find-title=Spectrion: entity handle='
expect "$out" 'find-title=Nobody: null'
expect "$out" 'get-value=TavelinWorkArea: "C:\\book\\work\\"'
expect "$out" 'get-value=Other: ""'
expect "$out" 'get-file=icon.png: file of 10 bytes "icon-bytes"'
expect "$out" 'get-file=none: null'
expect "$out" 'file-name=C:\x\demo: "C:\\book\\demo.exe"'
expect "$out" 'query-text=hello: "world"'
expect "$out" 'execute=C:\windows\system32\hostname.exe||0|5: pid '
expect "$out" 'execute=C:\no\such\program.exe||0|0: error: '
expect "$out" 'event params: one|two words'
expect "$out" 'event quit: server_down=0 allowed=1'
for name in dmRegister dmUnregister dmFindEntity dmGetValue dmGetFile dmFileName dmQueryText \
            dmExecute dmReply dmParams dmQuit; do
  expect "$work/log.jsonl" "\"name\":\"$name\""
done
echo "exchange: every request kind answered"

# --- Single instance without a host ---------------------------------------
"$run" "$sim" instance --title Demo first > "$work/a.out" 2>&1 & a=$!; pids+=($a)
waitfor "$work/a.out" "instance "
t=$(now)
s instance --title Demo "second start" two > "$work/b.out" 2>&1 || fail "second start: exit status $?"
echo "second start without host: exit 0 after $(ms_since "$t") ms"
grep -q "^instance " "$work/b.out" && fail "the second start became an instance too"
for _ in $(seq 100); do [ "$(params_after_program "$work/a.out")" = "instance|--title|Demo|second start|two" ] && break; sleep 0.1; done
[ "$(params_after_program "$work/a.out")" = "instance|--title|Demo|second start|two" ] ||
  { tr -d '\r' <"$work/a.out"; fail "the instance did not get the parameters"; }

# A killed instance (kill -9 of its process): the next start is the instance.
kill -9 $a; wait $a 2>/dev/null || true
t=$(now)
"$run" "$sim" instance --title Demo > "$work/c.out" 2>&1 & c=$!; pids+=($c)
waitfor "$work/c.out" "instance "
echo "after kill -9: new instance after $(ms_since "$t") ms"
kill -9 $c; wait $c 2>/dev/null || true

# --- With a host -----------------------------------------------------------
serve h1 "$work/h1.jsonl"
"$run" "$sim" instance /serverhandle=h1 --use-server --title Book > "$work/e.out" 2>&1 & e=$!; pids+=($e)
waitfor "$work/e.out" "instance "
s instance /serverhandle=h1 --use-server --title Book handed over > "$work/f.out" 2>&1 ||
  fail "second start with host: exit status $?"
for _ in $(seq 100); do params_after_program "$work/e.out" | grep -x "instance|--use-server|--title|Book|handed|over" >/dev/null && break; sleep 0.1; done
params_after_program "$work/e.out" | grep -x "instance|--use-server|--title|Book|handed|over" >/dev/null ||
  { tr -d '\r' <"$work/e.out"; fail "the instance did not get the parameters through the host"; }
kill -9 $e; wait $e 2>/dev/null || true
echo "hand-over with a host: ok"

# Quit accepted: the instance ends and withdraws.
serve q1 "$work/q1.jsonl" --on-register quit
s instance /serverhandle=q1 --use-server --title Q > "$work/q1.out" 2>&1 || fail "quit exit status $?"
expect "$work/q1.out" "event quit: server_down=0 allowed=1"
expect "$work/q1.out" "instance ended"
for _ in $(seq 50); do grep -q '"name":"dmUnregister"' "$work/q1.jsonl" && break; sleep 0.1; done
grep -q '"name":"dmUnregister"' "$work/q1.jsonl" || fail "no withdrawal after quit"
echo "quit from the host: ok"

# A stopped host: each request costs at most the bounded time.
serve st "$work/st.jsonl" --value V=v
host=${pids[-1]}
kill -STOP "$host"
t=$(now)
s client /serverhandle=st --timeout-ms 1000 get-value=V get-value=V get-value=V > "$work/st.out" 2>&1 || true
total=$(ms_since "$t")
kill -CONT "$host"
[ "$(tr -d '\r' <"$work/st.out" | grep -c 'get-value=V: error: Stream read error')" = 3 ] ||
  { tr -d '\r' <"$work/st.out"; fail "stopped host"; }
echo "stopped host: 3 requests at a 1 s bound took $total ms in all, the program's start included"
[ "$total" -lt 8000 ] || fail "a stopped host cost more than the bound"
echo "Windows host-link checks passed"
