#include "platform/termination_signals.h"

#include "platform/application.h"
#include "platform/form.h"
#include "platform/message_box.h"

#include <QCoreApplication>
#include <QSocketNotifier>

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

void EndRun() {
  // A modal window or message box runs its own loop; closing it lets the
  // start-up (or the handler that showed it) return to Run, which then ends.
  // No box opened after this waits for anybody.
  EndMessageBoxes();
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto *form = dynamic_cast<TForm *>(Application->Components(i)); form && form->Modal())
      form->Close();
  Application->Terminate();
}

} // namespace

void EndRunOnTerminationSignals() {
  static bool installed = false;
  if (installed) return;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  installed = true;
  wakeWrite = fds[1];
  auto *notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, [readEnd = fds[0]] {
    char buffer[16];
    while (read(readEnd, buffer, sizeof buffer) > 0) {
    }
    EndRun();
  });
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
