#!/usr/bin/env bash
# Two processes over the real sockets: the simulator serves, the real
# component (the simulator's client mode) sends every request, receives
# parameters and a quit message, and withdraws last. Then each way a host
# can misbehave, with the component's answer to it.
# Usage: check_exchange.sh <spectrion-hostsim>
set -euo pipefail
sim=$(readlink -f "$1")
# A short private runtime directory: socket paths have a length limit.
work=$(mktemp -d /tmp/shs-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files"
export XDG_RUNTIME_DIR=$work
printf 'icon-bytes' > "$work/files/icon.png"
fail() { echo "FAIL: $*"; exit 1; }
expect() { grep -qF -- "$2" "$1" || { cat "$1"; fail "expected in $1: $2"; }; }

suffix=00ab12cd
"$sim" serve --suffix $suffix --value TavelinWorkArea=/book/work/ --files "$work/files" \
  --execute --text hello=world --file-name /opt/x/demo=/book/demo.exe \
  --log "$work/log.jsonl" --exit-after-unregister --max-seconds 30 > "$work/serve.out" &
server=$!
for _ in $(seq 50); do grep -q serving "$work/serve.out" 2>/dev/null && break; sleep 0.1; done

# The host sends the params and quit messages after it answered the request
# that asked for them; the client pumps to be there when they come.
"$sim" client /serverhandle=00AB12CD --title Spectrion register find-title=Spectrion \
  find-title=Nobody get-value=TavelinWorkArea get-value=Other get-file=icon.png get-file=none \
  file-name=/opt/x/demo query-text=hello 'execute=/bin/true||0|5' 'execute=/no/such/program||0|0' \
  'query-text=sim:params:one|two words' pump=500 'query-text=sim:quit:0' pump=2000 \
  > "$work/client.out" || true
wait $server || fail "server exit status $?"
out=$work/client.out
expect "$out" 'register: registered as'
expect "$out" 'find-title=Spectrion: entity handle='
expect "$out" 'title="Spectrion"'
expect "$out" 'find-title=Nobody: null'
expect "$out" 'get-value=TavelinWorkArea: "/book/work/"'
expect "$out" 'get-value=Other: ""'
expect "$out" 'get-file=icon.png: file of 10 bytes "icon-bytes"'
expect "$out" 'get-file=none: null'
expect "$out" 'file-name=/opt/x/demo: "/book/demo.exe"'
expect "$out" 'query-text=hello: "world"'
expect "$out" 'execute=/bin/true||0|5: pid '
expect "$out" 'execute=/no/such/program||0|0: error: Could not execute "/no/such/program."'
expect "$out" 'event params: one|two words'
expect "$out" 'event quit: server_down=0 allowed=1'

# Register first and unregister last, both with the same record.
log=$work/log.jsonl
first=$(head -n1 "$log"); last=$(tail -n1 "$log")
[[ $first == *'"name":"dmRegister"'* ]] || fail "first message: $first"
[[ $last == *'"name":"dmUnregister"'* ]] || fail "last message: $last"
rec() { sed -e 's/.*"hex":"................//' -e 's/".*//' <<<"$1"; }
le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
hexstr() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
handle=$(sed -n 's/^register: registered as \([0-9]*\).*/\1/p' "$out")
expected=$(le32 "$handle")$(le32 0)$(le32 ${#sim})$(hexstr "$sim")$(le32 9)$(hexstr Spectrion)
[ "$(rec "$first")" = "$expected" ] || fail "register record $(rec "$first") is not $expected"
[ "$(rec "$last")" = "$expected" ] || fail "unregister record differs"
for name in dmRegister dmUnregister dmFindEntity dmGetValue dmGetFile dmFileName dmQueryText \
            dmExecute dmReply dmParams dmQuit; do
  expect "$log" "\"name\":\"$name\""
done

# Misbehaving hosts: the component gets an error or null, never hangs or crashes.
misbehave() { # code mode request expected [request first]
  "$sim" serve --suffix bad --misbehave "$1=$2" --value V=v --text t=t --log "$work/bad.jsonl" \
    --max-seconds 10 > "$work/bad.out" &
  local s=$!
  for _ in $(seq 150); do grep -q serving "$work/bad.out" 2>/dev/null && break; sleep 0.1; done
  "$sim" client /serverhandle=bad --timeout-ms 500 ${5:-} "$3" "$3" > "$work/bad-client.out" || true
  kill $s 2>/dev/null || true
  wait $s 2>/dev/null || true
  expect "$work/bad-client.out" "$3: $4"
  echo "ok: $2 on $1"
}
misbehave 4106 silent get-value=V 'error: Stream read error'
misbehave 4106 hang:1500 get-value=V 'error: Stream read error'
misbehave 4106 delay:100 get-value=V '"v"'
misbehave 4106 wrong-stamp get-value=V 'error: Stream read error'
misbehave 4106 double get-value=V '"v"'
misbehave 4106 stray get-value=V '"v"'
misbehave 4106 truncated get-value=V 'error: Stream read error'
misbehave 4106 oversize get-value=V 'error: Stream read error'
misbehave 4106 big-frame get-value=V 'error: Stream read error'
misbehave 4106 close get-value=V 'error: Stream read error'
misbehave 4100 truncated find-title=HostSimClient 'error: Stream read error' register
echo "exchange checks passed"
