// spectrion-hostsim: a stand-in for the e-book host's server, for developing
// and testing the host connection without the host. Not part of the program.
//
//   spectrion-hostsim serve --suffix S [options]
//   spectrion-hostsim client /serverhandle=S [--title T] [--timeout-ms N] [--veto-quit] REQUEST...
//   spectrion-hostsim peer [--class C] [--title T] [--size N] KIND [COUNT]
#include "sim_client.h"
#include "sim_peer.h"
#include "sim_server.h"

#include "hostlink/demon_client.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: spectrion-hostsim serve --suffix S [options]\n"
    "  --value NAME=VALUE        answer GetValue NAME\n"
    "  --file-name NAME=ANSWER   answer QueryFileName NAME (default: NAME itself)\n"
    "  --text TEXT=ANSWER        answer QueryText TEXT (default: TEXT itself)\n"
    "  --files DIR               serve GetFile from DIR (by base name)\n"
    "  --execute                 start programs on request (without a shell)\n"
    "  --misbehave CODE=MODE     silent, hang[:ms], delay:ms, wrong-stamp, double,\n"
    "                            stray, truncated, oversize, big-frame, close\n"
    "  --on-register ACTION      send params:A|B, quit or quit-down to a new client\n"
    "  --log FILE                log every message as a JSON line (- for stdout)\n"
    "  --exit-after-unregister   stop when a client unregisters\n"
    "  --max-seconds N           stop after N seconds\n"
    "       spectrion-hostsim client /serverhandle=S [--title T] [--timeout-ms N]\n"
    "                            [--veto-quit] REQUEST...\n"
    "  requests: register, find-title=T, find-handle=H, execute=FILE|PARAMS|WAIT|EXTRA,\n"
    "            get-file=N, file-name=N, query-text=T, get-value=N, pump=MS, own-handle\n"
    "       spectrion-hostsim instance [/serverhandle=S] [--title T] [--use-server]\n"
    "                            [--veto-quit] [--timeout-ms N] [--spawn CMD] [ARGS...]\n"
    "       spectrion-hostsim peer [--class C] [--title T] [--size N] KIND [COUNT]\n"
    "  kinds: empty-quit (COUNT quit frames without their flag byte),\n"
    "         stray-reply (COUNT replies of N bytes nobody asked for),\n"
    "         trickle (a frame sent one byte a second for COUNT seconds),\n"
    "         params (one parameter message; prints how long the answer took)\n"
    "  the target is the window of class C (default: the client component's) and title T\n";

int Usage(const std::string &Error) {
  if (!Error.empty()) std::fprintf(stderr, "spectrion-hostsim: %s\n", Error.c_str());
  std::fputs(kUsage, stderr);
  return 2;
}

bool SplitPair(const std::string &S, std::string &Key, std::string &Value) {
  const std::size_t eq = S.find('=');
  if (eq == std::string::npos) return false;
  Key = S.substr(0, eq);
  Value = S.substr(eq + 1);
  return true;
}

int Serve(const std::vector<std::string> &Args) {
  TSimServerOptions o;
  bool haveSuffix = false;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string &a = Args[i];
    auto next = [&](std::string &Out) {
      if (i + 1 >= Args.size()) return false;
      Out = Args[++i];
      return true;
    };
    std::string v, key, value;
    if (a == "--execute") {
      o.Execute = true;
    } else if (a == "--exit-after-unregister") {
      o.ExitAfterUnregister = true;
    } else if (!next(v)) {
      return Usage("option " + a + " needs a value or is unknown");
    } else if (a == "--suffix") {
      o.Suffix = v;
      haveSuffix = true;
    } else if (a == "--files") {
      o.FilesDir = v;
    } else if (a == "--log") {
      o.LogFile = v;
    } else if (a == "--on-register") {
      o.OnRegister.push_back(v);
    } else if (a == "--max-seconds") {
      o.MaxSeconds = std::atoi(v.c_str());
    } else if (!SplitPair(v, key, value)) {
      return Usage(a + " needs NAME=VALUE");
    } else if (a == "--value") {
      o.Values[key] = value;
    } else if (a == "--file-name") {
      o.FileNames[key] = value;
    } else if (a == "--text") {
      o.Texts[key] = value;
    } else if (a == "--misbehave") {
      TMisbehaviour mode;
      int delay;
      const int code = std::atoi(key.c_str());
      if (code < dmQuit || code > dmGetValue || !ParseMisbehaviour(value, mode, delay))
        return Usage("bad --misbehave " + v);
      o.Misbehave[code] = mode;
      o.DelayMs[code] = delay;
    } else {
      return Usage("unknown option " + a);
    }
  }
  if (!haveSuffix) return Usage("serve needs --suffix");
  return RunSimServer(o);
}

int Client(const std::vector<std::string> &Args) {
  TSimClientOptions o;
  std::vector<std::string> requests;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string &a = Args[i];
    if (a.rfind("/serverhandle=", 0) == 0) continue; // read by the component itself
    if (a == "--veto-quit") {
      o.VetoQuit = true;
    } else if ((a == "--title" || a == "--timeout-ms") && i + 1 < Args.size()) {
      if (a == "--title")
        o.Title = Args[++i];
      else
        o.TimeoutMs = std::atoi(Args[++i].c_str());
    } else if (a.rfind("--", 0) == 0) {
      return Usage("unknown option " + a);
    } else {
      requests.push_back(a);
    }
  }
  return RunSimClient(requests, o);
}

int Instance(const std::vector<std::string> &Args) {
  TSimInstanceOptions o;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string &a = Args[i];
    if (a == "--use-server") {
      o.UseServer = true;
    } else if (a == "--veto-quit") {
      o.VetoQuit = true;
    } else if ((a == "--title" || a == "--timeout-ms" || a == "--spawn") && i + 1 < Args.size()) {
      const std::string &v = Args[++i];
      if (a == "--title")
        o.Title = v;
      else if (a == "--spawn")
        o.Spawn = v;
      else
        o.TimeoutMs = std::atoi(v.c_str());
    }
    // Anything else is a parameter of the program (the component reads the
    // process's own command line).
  }
  return RunSimInstance(o);
}

int Peer(const std::vector<std::string> &Args) {
  TSimPeerOptions o;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const std::string &a = Args[i];
    if ((a == "--class" || a == "--title" || a == "--size") && i + 1 < Args.size()) {
      const std::string &v = Args[++i];
      if (a == "--class")
        o.ClassName = v;
      else if (a == "--title")
        o.Title = v;
      else
        o.Size = std::atoi(v.c_str());
    } else if (a.rfind("--", 0) == 0) {
      return Usage("unknown option " + a);
    } else {
      rest.push_back(a);
    }
  }
  if (rest.empty() || rest.size() > 2) return Usage("peer needs KIND [COUNT]");
  o.Kind = rest[0];
  if (rest.size() == 2) o.Count = std::atoi(rest[1].c_str());
  if (o.Count < 1 || o.Size < 0) return Usage("peer needs a positive COUNT and SIZE");
  return RunSimPeer(o);
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) return Usage("");
  const std::string mode = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (mode == "serve") return Serve(args);
  if (mode == "client") return Client(args);
  if (mode == "instance") return Instance(args);
  if (mode == "peer") return Peer(args);
  if (mode == "--help" || mode == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  return Usage("unknown mode " + mode);
}
