#include "sim_peer.h"

#include "hostlink/demon_client.h"
#include "platform/message_frame.h"
#include "platform/message_window.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point Start) {
  return std::chrono::duration<double>(Clock::now() - Start).count();
}

// A transfer block: 8 stamp bytes (Time, then Date), then Content.
std::string Block(std::int32_t Time, std::int32_t Date, const std::string &Content) {
  std::string b;
  for (std::int32_t v : {Time, Date})
    for (int shift = 0; shift < 32; shift += 8)
      b += static_cast<char>((std::uint32_t(v) >> shift) & 0xFFu);
  return b + Content;
}

} // namespace

int RunSimPeer(const TSimPeerOptions &O) {
  const TMessageWindowHandle target = FindMessageWindow(O.ClassName, O.Title);
  if (target == 0) {
    std::fprintf(stderr, "spectrion-hostsim: no window of class %s\n", O.ClassName.c_str());
    return 2;
  }
  const Clock::time_point start = Clock::now();
  int delivered = 0;
  if (O.Kind == "empty-quit") {
    // A quit message without its flag byte, each on a connection of its own.
    const std::string frame = EncodeCopyDataHeader(1, dmQuit, 8) + Block(0, 0, "");
    for (int i = 0; i < O.Count; ++i) delivered += SendRawFrameBytes(target, frame) ? 1 : 0;
  } else if (O.Kind == "stray-reply") {
    // Replies to requests nobody made: each has a stamp no request has.
    TMessageWindow own("SpectrionHostSimPeer", "");
    const std::string content(std::size_t(O.Size), 'r');
    for (int i = 0; i < O.Count; ++i)
      delivered += own.SendCopyData(target, dmReply, Block(i + 1, 1, content)) ? 1 : 0;
  } else if (O.Kind == "trickle") {
    // One byte a second of a frame that never completes within Count seconds.
    const std::string frame = EncodeCopyDataHeader(1, dmParams, 1u << 20);
    const std::string bytes = frame + std::string(std::size_t(O.Count > 12 ? O.Count - 12 : 0), 'x');
    delivered = SendRawFrameBytes(target, bytes, 1000) ? O.Count : 0;
  } else if (O.Kind == "params") {
    TMessageWindow own("SpectrionHostSimPeer", "");
    const bool ok = own.SendCopyData(target, dmParams, Block(0, 0, "peer\r\n"));
    std::printf("params %s in %.3f s\n", ok ? "answered" : "not answered", SecondsSince(start));
    return ok ? 0 : 3;
  } else {
    std::fprintf(stderr, "spectrion-hostsim: unknown peer kind %s\n", O.Kind.c_str());
    return 2;
  }
  std::printf("%s: %d of %d delivered in %.3f s\n", O.Kind.c_str(), delivered, O.Count,
              SecondsSince(start));
  return delivered == O.Count ? 0 : 3;
}
