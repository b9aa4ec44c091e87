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

struct TSimInstanceOptions {
  std::string Title = "HostSimInstance"; // application title (the host finds the instance by it)
  bool UseServer = false;                 // UseTavelinServer: register with the host
  bool VetoQuit = false;                  // refuse quit messages
  int TimeoutMs = 0;                      // bounded-send time; 0 keeps the default
  std::string Spawn;                      // a program the instance starts itself (lock inheritance check)
};

/// Runs the real component as a program's main component with the
/// single-instance rule: a second start hands its parameters over and ends
/// with status 0; the instance prints the messages it gets until a quit is
/// accepted or it is told to stop (SIGTERM).
int RunSimInstance(const TSimInstanceOptions &Options);
