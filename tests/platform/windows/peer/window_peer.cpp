// The second process of the message-window and instance-lock tests.
//   window_peer lock NAME HOLD_MS          takes lock NAME, keeps it HOLD_MS
//                                          (0 when busy/failed: exit 1/2)
//   window_peer owner NAME HEX             exit 0 when NAME's owner window is HEX
//   window_peer send CLASS TITLE CODE TEXT finds the window, sends TEXT with CODE
//                                          (exit 3: not found, 4: not delivered)
//   window_peer serve CLASS TITLE MS       a window for up to MS; exit 0 once
//                                          "ping" came with code 4105 and was
//                                          answered with "pong" to its sender
#include "platform/instance_lock.h"
#include "platform/message_window.h"
#include "platform/process_info.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_args;

std::string Arg(int, wchar_t **, int I) {
  if (I - 1 >= int(g_args.size())) std::exit(64);
  return g_args[std::size_t(I - 1)];
}

} // namespace

void ShowLoopError(const std::exception &) {}

int main() {
  g_args = CommandLineArguments();
  const int Argc = 0;
  wchar_t **Argv = nullptr;
  const std::string mode = Arg(Argc, Argv, 1);
  if (mode == "lock") {
    TInstanceLock lock;
    const TInstanceLock::TResult r = lock.TryAcquire(Arg(Argc, Argv, 2));
    if (r != TInstanceLock::lrAcquired) return r == TInstanceLock::lrBusy ? 1 : 2;
    lock.SetOwnerWindow(0x5eed);
    Sleep(DWORD(std::atoi(Arg(Argc, Argv, 3).c_str())));
    return 0;
  }
  if (mode == "owner") {
    const auto want = std::uint32_t(std::strtoul(Arg(Argc, Argv, 3).c_str(), nullptr, 16));
    return TInstanceLock::OwnerWindow(Arg(Argc, Argv, 2)) == want ? 0 : 1;
  }
  if (mode == "send") {
    const TMessageWindowHandle target = FindMessageWindow(Arg(Argc, Argv, 2), Arg(Argc, Argv, 3));
    if (!target) return 3;
    TMessageWindow own("SpectrionPeerClass", "peer");
    return own.SendCopyData(target, std::atoi(Arg(Argc, Argv, 4).c_str()), Arg(Argc, Argv, 5)) ? 0
                                                                                               : 4;
  }
  if (mode == "serve") {
    TMessageWindow window(Arg(Argc, Argv, 2), Arg(Argc, Argv, 3));
    bool answered = false;
    window.OnCopyData = [&](TMessageWindowHandle Sender, std::int32_t Code,
                            const std::string &Block) {
      if (Code == 4105 && Block == "ping") answered = window.SendCopyData(Sender, 4103, "pong");
    };
    const ULONGLONG end = GetTickCount64() + ULONGLONG(std::atoi(Arg(Argc, Argv, 4).c_str()));
    while (!answered && GetTickCount64() < end)
      ProcessWindowMessages(50);
    return answered ? 0 : 1;
  }
  return 64;
}
