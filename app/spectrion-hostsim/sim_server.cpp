#include "sim_server.h"

#include "sim_log.h"
#include "sim_process.h"

#include "hostlink/demon_client.h"
#include "hostlink/message_stream.h"
#include "platform/message_frame.h"
#include "platform/message_window.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
  g_stop = 1;
}

std::string Stamp(const std::string &Block) {
  return Block.substr(0, 8);
}

// A registered client program.
struct TClient {
  std::uint32_t Handle = 0;
  std::uint32_t Mutex = 0;
  std::string ExeName;
  std::string Title;
};

std::string Record(const TClient &C) {
  TMemoryStream s;
  WriteInt32(s, std::int32_t(C.Handle));
  WriteInt32(s, std::int32_t(C.Mutex));
  WriteWireString(s, C.ExeName);
  WriteWireString(s, C.Title);
  return std::string(s.Memory(), std::size_t(s.Size()));
}

std::string Str(const std::string &S) {
  TMemoryStream s;
  WriteWireString(s, S);
  return std::string(s.Memory(), std::size_t(s.Size()));
}

// Starts File with the space-separated Parameters, without a shell.
std::int32_t StartProgram(const std::string &File, const std::string &Parameters) {
  std::vector<std::string> args{File};
  std::size_t start = 0;
  while (start < Parameters.size()) {
    const std::size_t end = Parameters.find(' ', start);
    const std::string part = Parameters.substr(start, end == std::string::npos ? end : end - start);
    if (!part.empty()) args.push_back(part);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return std::int32_t(StartDetached(args));
}

class TSimServer {
public:
  explicit TSimServer(const TSimServerOptions &O)
      : options_(O), log_(O.LogFile),
        window_("ThisIsTheQuorvoServerComponentWindowClass" + O.Suffix,
                "ThisIsTheQuorvoServerComponentWindow" + O.Suffix) {
    window_.OnCopyData = [this](std::uint32_t Sender, std::int32_t Code, const std::string &Block) {
      Handle(Sender, Code, Block);
    };
  }

  int Run() {
    std::printf("serving %08x\n", window_.Handle());
    std::fflush(stdout);
    const Clock::time_point start = Clock::now();
    while (!g_stop && !done_) {
      ProcessWindowMessages(50);
      RunActions();
      ReapEndedChildren();
      if (options_.MaxSeconds > 0 && Clock::now() - start > std::chrono::seconds(options_.MaxSeconds))
        break;
    }
    return 0;
  }

private:
  void Send(std::uint32_t Target, std::int32_t Code, const std::string &Block,
            std::int32_t RequestCode = 0, const std::string &Note = std::string()) {
    // Logged before sending: messages that arrive while this one waits come after it.
    log_.Message("out", window_.Handle(), Target, Code, Block, RequestCode, Note);
    if (!window_.SendCopyData(Target, Code, Block))
      log_.Message("event", window_.Handle(), Target, Code, Block, RequestCode, "not delivered");
  }

  void Handle(std::uint32_t Sender, std::int32_t Code, const std::string &Block) {
    log_.Message("in", Sender, window_.Handle(), Code, Block);
    if (Block.size() < 8) return;
    const std::string content = Block.substr(8);
    std::optional<std::string> reply;
    try {
      reply = Answer(Sender, Code, content);
    } catch (const std::exception &e) {
      log_.Message("event", Sender, window_.Handle(), Code, Block, 0,
                   std::string("unreadable request: ") + e.what());
      return;
    }
    if (!reply) return;
    const auto mode = options_.Misbehave.count(Code) ? options_.Misbehave.at(Code) : mbNone;
    const int delay = options_.DelayMs.count(Code) ? options_.DelayMs.at(Code) : 0;
    std::string stamp = Stamp(Block);
    switch (mode) {
    case mbNone:
      break;
    case mbSilent:
      return;
    case mbHang:
      log_.Message("event", Sender, window_.Handle(), Code, Block, 0, "hanging");
      if (delay > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      else
        WaitUntil(g_stop);
      return;
    case mbDelay:
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      break;
    case mbWrongStamp: {
      TStringStream s(stamp);
      TTimeStamp t{ReadInt32(s), ReadInt32(s)};
      t = LaterStamp(t, t);
      TMemoryStream out;
      WriteInt32(out, t.Time);
      WriteInt32(out, t.Date);
      stamp.assign(out.Memory(), 8);
      break;
    }
    case mbDouble:
      Send(Sender, dmReply, stamp + *reply, Code, "first of two");
      break;
    case mbStray:
      Send(Sender, dmReply, std::string("\x01\0\0\0\x01\0\0\0", 8) + *reply, Code, "stray");
      break;
    case mbTruncated:
      reply->resize(reply->size() / 2);
      break;
    case mbOversize: {
      TMemoryStream out;
      WriteInt32(out, 0x10000000);
      reply = std::string(out.Memory(), 4) + "short";
      break;
    }
    case mbBigFrame:
      SendRawFrameBytes(Sender, EncodeCopyDataHeader(window_.Handle(), dmReply,
                                                     MaxCopyDataBlock + 1) + stamp);
      log_.Message("event", window_.Handle(), Sender, dmReply, stamp, Code, "oversize frame sent");
      return;
    case mbCloseMid: {
      const std::string full = stamp + *reply;
      const std::string frame =
          EncodeCopyDataHeader(window_.Handle(), dmReply, std::uint32_t(full.size())) +
          full.substr(0, full.size() / 2);
      SendRawFrameBytes(Sender, frame);
      log_.Message("event", window_.Handle(), Sender, dmReply, stamp, Code, "closed mid-frame");
      return;
    }
    }
    Send(Sender, dmReply, stamp + *reply, Code);
  }

  // The reply content for a request, or none for messages without a reply.
  std::optional<std::string> Answer(std::uint32_t Sender, std::int32_t Code, const std::string &Content) {
    TStringStream in(Content);
    switch (Code) {
    case dmRegister: {
      TEntity e(nullptr);
      e.ReadFrom(in);
      clients_.push_back({e.Handle, e.MutexHandle, e.ExeName(), e.Title()});
      for (const std::string &action : options_.OnRegister) actions_.push_back({e.Handle, action});
      return std::nullopt;
    }
    case dmUnregister: {
      TEntity e(nullptr);
      e.ReadFrom(in);
      for (auto it = clients_.begin(); it != clients_.end(); ++it)
        if (it->Handle == e.Handle) {
          clients_.erase(it);
          break;
        }
      if (options_.ExitAfterUnregister) done_ = true;
      return std::nullopt;
    }
    case dmFindEntity: {
      unsigned char kind = 0;
      in.ReadBuffer(&kind, 1);
      const std::uint32_t handle = kind == 1 ? std::uint32_t(ReadInt32(in)) : 0;
      const std::string title = kind == 2 ? ReadWireString(in) : std::string();
      // Programs that ended without withdrawing are forgotten.
      std::erase_if(clients_, [](const TClient &c) { return !IsMessageWindow(c.Handle); });
      for (const TClient &c : clients_)
        if ((kind == 1 && c.Handle == handle) || (kind == 2 && c.Title == title)) return Record(c);
      return std::string();
    }
    case dmExecute: {
      const std::string file = ReadWireString(in), params = ReadWireString(in);
      unsigned char wait = 0;
      in.ReadBuffer(&wait, 1);
      ReadInt32(in);
      TMemoryStream out;
      WriteInt32(out, options_.Execute ? StartProgram(file, params) : 0);
      return std::string(out.Memory(), 4);
    }
    case dmGetFile: {
      const std::string name = ReadWireString(in);
      if (options_.FilesDir.empty() || name.find("..") != std::string::npos)
        return std::string(1, '\0');
      const std::string base = name.substr(name.find_last_of('/') == std::string::npos
                                               ? 0
                                               : name.find_last_of('/') + 1);
      std::ifstream f(options_.FilesDir + "/" + base, std::ios::binary);
      if (!f) return std::string(1, '\0');
      return std::string(1, '\1') +
             std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    case dmFileName:
    case dmQueryText:
    case dmGetValue: {
      const std::string name = ReadWireString(in);
      if (Code == dmQueryText && name.rfind("sim:", 0) == 0) {
        // Test hook: "sim:params:a|b", "sim:quit:0", "sim:quit:1" are sent
        // to the asking client once this request is answered.
        actions_.push_back({Sender, name.substr(4)});
        return Str("ok");
      }
      const auto &table = Code == dmFileName ? options_.FileNames
                          : Code == dmQueryText ? options_.Texts
                                                : options_.Values;
      auto it = table.find(name);
      if (it != table.end()) return Str(it->second);
      return Str(Code == dmGetValue ? std::string() : name);
    }
    default:
      return std::nullopt;
    }
  }

  void RunActions() {
    while (!actions_.empty()) {
      const auto [target, action] = actions_.front();
      actions_.pop_front();
      const std::string stamp = NowBlock();
      if (action.rfind("params:", 0) == 0) {
        std::vector<std::string> entries;
        std::string rest = action.substr(7);
        std::size_t start = 0;
        for (;;) {
          const std::size_t bar = rest.find('|', start);
          entries.push_back(rest.substr(start, bar == std::string::npos ? bar : bar - start));
          if (bar == std::string::npos) break;
          start = bar + 1;
        }
        Send(target, dmParams, stamp + ParamListText(entries));
      } else if (action == "quit" || action == "quit:0") {
        Send(target, dmQuit, stamp + std::string(1, '\0'));
      } else if (action == "quit-down" || action == "quit:1") {
        Send(target, dmQuit, stamp + std::string(1, '\1'));
      }
    }
  }

  static std::string NowBlock() {
    const TTimeStamp t = NextMessageStamp();
    TMemoryStream out;
    WriteInt32(out, t.Time);
    WriteInt32(out, t.Date);
    return std::string(out.Memory(), 8);
  }

  TSimServerOptions options_;
  TSimLog log_;
  TMessageWindow window_;
  std::vector<TClient> clients_;
  std::deque<std::pair<std::uint32_t, std::string>> actions_;
  bool done_ = false;
};

} // namespace

bool ParseMisbehaviour(const std::string &Text, TMisbehaviour &Mode, int &DelayMs) {
  const std::size_t colon = Text.find(':');
  const std::string name = Text.substr(0, colon);
  DelayMs = 0;
  if (colon != std::string::npos) {
    try {
      DelayMs = std::stoi(Text.substr(colon + 1));
    } catch (const std::exception &) {
      return false;
    }
    if (DelayMs < 0) return false;
  }
  static const std::map<std::string, TMisbehaviour> modes = {
      {"none", mbNone},       {"silent", mbSilent},         {"hang", mbHang},
      {"delay", mbDelay},     {"wrong-stamp", mbWrongStamp}, {"double", mbDouble},
      {"stray", mbStray},     {"truncated", mbTruncated},   {"oversize", mbOversize},
      {"big-frame", mbBigFrame}, {"close", mbCloseMid}};
  auto it = modes.find(name);
  if (it == modes.end()) return false;
  Mode = it->second;
  return true;
}

int RunSimServer(const TSimServerOptions &Options) {
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  try {
    TSimServer server(Options);
    return server.Run();
  } catch (const std::exception &e) {
    std::fprintf(stderr, "spectrion-hostsim: %s\n", e.what());
    return 1;
  }
}
