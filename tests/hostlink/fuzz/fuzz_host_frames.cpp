// Fuzz target: any byte sequence as the frames a message window receives.
// The bytes are cut into frames the way the socket reader cuts them; each
// frame is handed to the host-connection component as a received message,
// and then served as the host's reply to each of the component's requests.
// Errors are expected (stream read errors, refused frames); crashes, leaks
// and allocations from announced lengths are not.
#include "hostlink/demon_client.h"
#include "platform/message_frame.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A host that answers every request with the next frame's block content.
class TFuzzHost : public THostTransport {
public:
  std::uint32_t OwnHandle() const override { return 1; }
  std::uint32_t FindWindow(const std::string &, const std::string &) override { return 2; }
  bool IsWindow(std::uint32_t Handle) override { return Handle == 1 || Handle == 2; }
  void SendCopyData(std::uint32_t Target, std::int32_t, const std::string &Block) override {
    if (Target != 2 || Next >= Replies.size() || !OnCopyData) return;
    const std::string &r = Replies[Next++];
    // Even entries answer with the request's stamp, odd ones with their own.
    const std::string stamp = (Next % 2 || r.size() < 8) ? Block.substr(0, 8) : r.substr(0, 8);
    OnCopyData(2, dmReply, stamp + (r.size() >= 8 ? r.substr(8) : r));
  }
  std::vector<std::string> Replies;
  std::size_t Next = 0;
};

template <class F> void Try(F &&Action) {
  try {
    Action();
  } catch (const Exception &) {
    // Bad input is reported as an error; that is the expected outcome.
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, std::size_t Size) {
  std::vector<TCopyDataFrameReader> frames;
  std::size_t at = 0;
  while (at < Size && frames.size() < 32) {
    TCopyDataFrameReader r;
    const std::size_t used = r.Feed(reinterpret_cast<const char *>(Data) + at, Size - at);
    at += used;
    if (!r.Complete()) break; // refused or cut short: the connection is dropped
    frames.push_back(std::move(r));
  }
  auto *host = new TFuzzHost;
  TkdbDemonClient demon(nullptr, std::unique_ptr<THostTransport>(host));
  demon.SetUseTavelinServer(true);
  for (const auto &f : frames) {
    Try([&] { demon.ReceiveCopyData(f.Sender(), f.Code(), f.Block()); });
    host->Replies.push_back(f.Block());
  }
  Try([&] { demon.FindEntityByTitle("t"); });
  Try([&] { demon.FindEntityByHandle(7); });
  Try([&] { demon.Execute("p", "", false, 0); });
  Try([&] { demon.GetFile("f"); });
  Try([&] { demon.QueryFileName("n"); });
  Try([&] { demon.QueryText("q"); });
  Try([&] { demon.GetValue("v"); });
  Try([&] { demon.ServerEntity()->Title(); });
  demon.SetUseTavelinServer(false);
  return 0;
}
