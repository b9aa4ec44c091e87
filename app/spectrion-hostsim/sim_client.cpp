#include "sim_client.h"

#include "sim_log.h"
#include "sim_process.h"

#include "hostlink/demon_client.h"
#include "platform/application.h"
#include "platform/message_window.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> Split(const std::string &S, char Sep) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = S.find(Sep, start);
    parts.push_back(S.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

std::string Describe(const TEntity *E) {
  if (!E) return "null";
  TEntity copy(nullptr);
  copy.Assign(E);
  return "entity handle=" + std::to_string(copy.Handle) + " mutex=" +
         std::to_string(copy.MutexHandle) + " exe=" + JsonString(copy.ExeName()) +
         " title=" + JsonString(copy.Title());
}

// Runs one request against the component and returns what it gave.
std::string Run(TkdbDemonClient &C, const std::string &Name, const std::string &Arg) {
  if (Name == "register") {
    C.Loaded();
    return "registered as " + std::to_string(C.OwnEntity()->Handle);
  }
  if (Name == "find-title") return Describe(C.FindEntityByTitle(Arg).get());
  if (Name == "find-handle")
    return Describe(C.FindEntityByHandle(std::uint32_t(std::stoul(Arg, nullptr, 0))).get());
  if (Name == "execute") {
    const auto p = Split(Arg, '|');
    if (p.size() != 4) throw std::invalid_argument("execute=FILE|PARAMETERS|WAIT|EXTRA");
    return "pid " + std::to_string(C.Execute(p[0], p[1], p[2] == "1", std::stoi(p[3])));
  }
  if (Name == "get-file") {
    auto file = C.GetFile(Arg);
    if (!file) return "null";
    return "file of " + std::to_string(file->Size()) + " bytes " +
           JsonString(std::string(file->Memory(), std::size_t(file->Size())));
  }
  if (Name == "file-name") return JsonString(C.QueryFileName(Arg));
  if (Name == "query-text") return JsonString(C.QueryText(Arg));
  if (Name == "get-value") return JsonString(C.GetValue(Arg));
  if (Name == "pump") {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(std::stoi(Arg));
    while (Clock::now() < end && !Application->Terminated()) ProcessWindowMessages(20);
    return "pumped";
  }
  if (Name == "own-handle") return std::to_string(C.OwnEntity()->Handle);
  throw std::invalid_argument("unknown request \"" + Name + "\"");
}

} // namespace

namespace {

// Prints the component's parameter and quit events as the checks read them;
// VetoQuit refuses every quit message.
void PrintEvents(TkdbDemonClient &Demon, bool VetoQuit) {
  Demon.OnParamsChange = [&Demon](TObject *) {
    std::string list;
    for (int i = 0; i < Demon.Params()->Count(); ++i)
      list += (i ? "|" : "") + Demon.Params()->Strings(i);
    std::printf("event params: %s\n", list.c_str());
    std::fflush(stdout);
  };
  Demon.OnQuitMsgReceived = [VetoQuit](TObject *, bool ServerDown, bool &Allow) {
    Allow = !VetoQuit;
    std::printf("event quit: server_down=%d allowed=%d\n", ServerDown ? 1 : 0, Allow ? 1 : 0);
    std::fflush(stdout);
  };
}

} // namespace

int RunSimClient(const std::vector<std::string> &Requests, const TSimClientOptions &Options) {
  Application->SetTitle(Options.Title);
  if (Options.TimeoutMs > 0) SetMessageSendTimeout(Options.TimeoutMs);
  Application->OnException = [](TObject *, const std::exception &E) {
    std::printf("event error: %s\n", E.what());
    std::fflush(stdout);
  };
  TComponent owner(nullptr);
  TkdbDemonClient *client = nullptr;
  try {
    client = new TkdbDemonClient(&owner);
  } catch (const std::exception &e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  client->SetUseTavelinServer(true);
  client->SetMultiStart(true);
  client->SetAutoTranslate(false);
  PrintEvents(*client, Options.VetoQuit);
  std::printf("server %u\n", client->ServerEntity()->Handle);
  int failures = 0;
  for (const std::string &request : Requests) {
    if (Application->Terminated()) break;
    const std::size_t eq = request.find('=');
    const std::string name = request.substr(0, eq);
    const std::string arg = eq == std::string::npos ? std::string() : request.substr(eq + 1);
    const Clock::time_point start = Clock::now();
    std::string result;
    try {
      result = Run(*client, name, arg);
    } catch (const Exception &e) {
      result = "error: " + e.Message();
      ++failures;
    } catch (const std::exception &e) {
      result = std::string("error: ") + e.what();
      ++failures;
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    std::printf("%s: %s (%.1f ms)\n", request.c_str(), result.c_str(), ms);
    std::fflush(stdout);
  }
  // Going away withdraws from the host unless it said it is down.
  owner.DestroyComponents();
  return failures == 0 ? 0 : 3;
}

namespace {
volatile std::sig_atomic_t g_instanceStop = 0;
void OnInstanceSignal(int) {
  g_instanceStop = 1;
}
} // namespace

int RunSimInstance(const TSimInstanceOptions &Options) {
  std::signal(SIGTERM, OnInstanceSignal);
  std::signal(SIGINT, OnInstanceSignal);
  Application->SetTitle(Options.Title);
  if (Options.TimeoutMs > 0) SetMessageSendTimeout(Options.TimeoutMs);
  Application->OnException = [](TObject *, const std::exception &E) {
    std::printf("event error: %s\n", E.what());
    std::fflush(stdout);
  };
  TComponent owner(nullptr);
  TkdbDemonClient *demon = nullptr;
  try {
    demon = new TkdbDemonClient(&owner);
    demon->SetUseTavelinServer(Options.UseServer);
    demon->SetAutoTranslate(false);
    demon->SetMultiStart(false);
    PrintEvents(*demon, Options.VetoQuit);
    // A losing start ends in here with status 0.
    demon->Loaded();
  } catch (const std::exception &e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  std::printf("instance %u lock %u\n", demon->OwnEntity()->Handle, demon->OwnEntity()->MutexHandle);
  std::fflush(stdout);
  if (!Options.Spawn.empty()) {
    std::vector<std::string> args = Split(Options.Spawn, ' ');
    if (const std::int64_t pid = StartDetached(args))
      std::printf("spawned %lld\n", static_cast<long long>(pid));
    std::fflush(stdout);
  }
  while (!g_instanceStop && !Application->Terminated()) ProcessWindowMessages(50);
  owner.DestroyComponents();
  std::printf("instance ended\n");
  return 0;
}
