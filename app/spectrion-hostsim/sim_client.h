#pragma once
// The simulator's client mode: the real host-connection component driven
// through requests named on the command line; prints each result or error
// and its time, and the parameter and quit messages that arrive.
#include <string>
#include <vector>

struct TSimClientOptions {
  std::string Title = "HostSimClient"; // application title the client registers with
  int TimeoutMs = 0;                    // bounded-send time; 0 keeps the default
  bool VetoQuit = false;                // refuse quit messages
};

/// Runs the requests in order; returns 0 when none failed, 3 otherwise.
int RunSimClient(const std::vector<std::string> &Requests, const TSimClientOptions &Options);
