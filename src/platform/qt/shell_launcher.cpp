// The desktop's launcher: Qt's desktop services for addresses, and a
// fork/exec start for programs that reports the exec error back through a
// close-on-exec pipe. The program is started by a short-lived intermediate
// process that we wait for at once, so the program itself is adopted by the
// system and never lingers as a zombie of ours.
#include "platform/shell_launcher.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

class TDesktopLauncher : public TShellLauncher {
public:
  bool OpenUrl(const std::string &Url) override {
    return QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(Url.data(), qsizetype(Url.size()))));
  }

  int StartProgram(const std::string &Path, const std::vector<std::string> &Arguments) override {
    // Everything the child needs is prepared before forking: after fork only
    // async-signal-safe calls are made.
    std::vector<char *> argv;
    argv.reserve(Arguments.size() + 2);
    argv.push_back(const_cast<char *>(Path.c_str()));
    for (const std::string &a : Arguments)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return errno;
    const pid_t middle = fork();
    if (middle < 0) {
      const int error = errno;
      close(report[0]);
      close(report[1]);
      return error;
    }
    if (middle == 0) {
      close(report[0]);
      const pid_t program = fork();
      if (program < 0) {
        const int error = errno;
        (void)!write(report[1], &error, sizeof error);
        _exit(127);
      }
      if (program == 0) {
        execve(argv[0], argv.data(), environ);
        const int error = errno;
        (void)!write(report[1], &error, sizeof error);
        _exit(127);
      }
      _exit(0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without data when exec succeeded.
    int error = 0;
    ssize_t n;
    do {
      n = read(report[0], &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    return n == ssize_t(sizeof error) ? error : 0;
  }
};

std::unique_ptr<TShellLauncher> &Installed() {
  static std::unique_ptr<TShellLauncher> launcher = std::make_unique<TDesktopLauncher>();
  return launcher;
}

} // namespace

TShellLauncher &ShellLauncher() {
  return *Installed();
}

std::unique_ptr<TShellLauncher> SetShellLauncher(std::unique_ptr<TShellLauncher> Launcher) {
  std::unique_ptr<TShellLauncher> previous = std::move(Installed());
  Installed() = Launcher ? std::move(Launcher) : std::make_unique<TDesktopLauncher>();
  return previous;
}

std::vector<std::string> SplitParameters(const std::string &Text) {
  std::vector<std::string> out;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (char c : Text) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inArgument) out.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) out.push_back(current);
  return out;
}
