#pragma once
// The simulator's peer mode: a same-user program that sends hostile or
// plain traffic to another program's message window, for checking that a
// bad peer costs only itself.
#include <string>

struct TSimPeerOptions {
  std::string ClassName = "ThisIsTheQuorvoClientComponentWindowClass"; // target's class name
  std::string Title;    // target's title
  std::string Kind;     // empty-quit, stray-reply, trickle, params
  int Count = 1;        // frames (empty-quit, stray-reply) or seconds (trickle)
  int Size = 1 << 20;   // content bytes of each stray reply
};

/// Finds the target and sends; prints what was sent and how long it took.
/// Returns 0 when everything was delivered, 3 when not, 2 for no target.
int RunSimPeer(const TSimPeerOptions &Options);
