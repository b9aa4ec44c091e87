#pragma once
// Starting the tests' second process (peer/window_peer.cpp) and waiting for
// it while this thread's windows keep being served.
#include <string>

/// Runs the peer with Arguments, handling this thread's window messages
/// until it ends (at most TimeoutMs); its exit code, or -1.
int RunPeer(const std::wstring &Arguments, int TimeoutMs = 20000);
