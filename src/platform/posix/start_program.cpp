// The program is started by a short-lived intermediate process that we wait
// for at once, so the program itself is adopted by the system and never
// lingers as a zombie of ours; the exec error comes back through a
// close-on-exec pipe.
#include "platform/posix/start_program.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

int StartDetachedProgram(const std::string &Path, const std::vector<std::string> &Arguments) {
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
