// The Qt event loop's side of the POSIX back end: socket notifiers, timers
// and queued calls.
#include "platform/posix/loop_services.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

namespace {

// Qt objects are let go with deleteLater: a watch may end inside its own call.
class TQtWatch : public TLoopWatch {
public:
  explicit TQtWatch(QSocketNotifier *Notifier) : notifier_(Notifier) {}
  explicit TQtWatch(QTimer *Timer) : timer_(Timer) {}
  ~TQtWatch() override {
    if (notifier_) {
      notifier_->setEnabled(false);
      notifier_->deleteLater();
    }
    if (timer_) {
      timer_->stop();
      timer_->deleteLater();
    }
  }

private:
  QSocketNotifier *notifier_ = nullptr;
  QTimer *timer_ = nullptr;
};

} // namespace

bool EventLoopAvailable() {
  return QCoreApplication::instance() != nullptr;
}

std::unique_ptr<TLoopWatch> WatchReadable(int Fd, std::function<void()> OnReadable) {
  auto *notifier = new QSocketNotifier(Fd, QSocketNotifier::Read);
  QObject::connect(notifier, &QSocketNotifier::activated,
                   [call = std::move(OnReadable)] { call(); });
  return std::make_unique<TQtWatch>(notifier);
}

std::unique_ptr<TLoopWatch> RepeatEvery(int IntervalMs, std::function<void()> OnTick) {
  auto *timer = new QTimer;
  timer->setInterval(IntervalMs);
  QObject::connect(timer, &QTimer::timeout, [call = std::move(OnTick)] { call(); });
  timer->start();
  return std::make_unique<TQtWatch>(timer);
}

void RunSoon(std::function<void()> Callback) {
  QTimer::singleShot(0, QCoreApplication::instance(), [call = std::move(Callback)] { call(); });
}

bool ApplicationCommandLine(TCommandLine &CommandLine) {
  if (!QCoreApplication::instance()) return false;
  CommandLine.ProgramPath = QCoreApplication::applicationFilePath().toStdString();
  CommandLine.Arguments.clear();
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i)
    CommandLine.Arguments.push_back(all[i].toStdString());
  return true;
}
