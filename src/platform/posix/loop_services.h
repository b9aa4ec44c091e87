#pragma once
// What the POSIX back end asks of the event loop that serves it between
// its own waits: calls when a descriptor becomes readable, calls at an
// interval, a call soon from the loop, and the command line as the
// application object holds it. The Qt part of the back end defines these.
#include "platform/process_info.h"

#include <functional>
#include <memory>

/// A registration with the event loop; destroying it ends the calls. It may
/// be destroyed from inside its own call.
class TLoopWatch {
public:
  virtual ~TLoopWatch() = default;
};

/// Whether an event loop exists to serve watches (before the application
/// object exists, callers wait for their descriptors themselves).
bool EventLoopAvailable();
/// Calls OnReadable from the event loop whenever Fd has something to read.
std::unique_ptr<TLoopWatch> WatchReadable(int Fd, std::function<void()> OnReadable);
/// Calls OnTick from the event loop every IntervalMs milliseconds.
std::unique_ptr<TLoopWatch> RepeatEvery(int IntervalMs, std::function<void()> OnTick);
/// Calls Callback once from the event loop, after what is being handled now.
void RunSoon(std::function<void()> Callback);
/// The program path and arguments as the application object holds them
/// (the framework's own options taken out); false before it exists.
bool ApplicationCommandLine(TCommandLine &CommandLine);
