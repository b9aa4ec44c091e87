// SIGTERM, SIGINT and SIGHUP write a byte into a pipe; the event loop reads
// it and ends the run from there.
#include "platform/termination_signals.h"

#include "platform/posix/loop_services.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int wakeWrite = -1;

void OnSignal(int) {
  const char byte = 1;
  // Only an async-signal-safe write here; a full pipe already holds a wake-up.
  (void)!write(wakeWrite, &byte, 1);
}

} // namespace

void EndRunOnTerminationSignals() {
  static bool installed = false;
  if (installed) return;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  installed = true;
  wakeWrite = fds[1];
  // Watched for the rest of the process's life.
  WatchReadable(fds[0], [readEnd = fds[0]] {
    char buffer[16];
    while (read(readEnd, buffer, sizeof buffer) > 0) {
    }
    EndRunFromOutside();
  }).release();
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    // A hang-up ignored by whoever started us (nohup) stays ignored.
    struct sigaction previous {};
    if (signal == SIGHUP && sigaction(signal, nullptr, &previous) == 0 &&
        previous.sa_handler == SIG_IGN)
      continue;
    sigaction(signal, &action, nullptr);
  }
}
