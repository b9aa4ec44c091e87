#pragma once
// Starting the tests' second process (peer/window_peer.cpp) and waiting for
// it while this thread's windows keep being served.
#include <string>

/// Runs the peer with Arguments, handling this thread's window messages
/// until it ends (at most TimeoutMs); its exit code, or -1.
int RunPeer(const std::wstring &Arguments, int TimeoutMs = 20000);

/// A peer running beside the test.
class TRunningPeer {
public:
  /// Starts the peer with Arguments.
  explicit TRunningPeer(const std::wstring &Arguments);
  /// Ends a peer still running.
  ~TRunningPeer();
  TRunningPeer(const TRunningPeer &) = delete;
  TRunningPeer &operator=(const TRunningPeer &) = delete;
  bool Started() const { return process_ != nullptr; }
  /// Waits for its end as RunPeer does; its exit code, or -1.
  int Wait(int TimeoutMs = 20000);

private:
  void *process_ = nullptr;
};
