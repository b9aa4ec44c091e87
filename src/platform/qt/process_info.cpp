#include "platform/process_info.h"

#include <QCoreApplication>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <cstdio>
#include <unistd.h>

namespace {

// Arguments as the kernel recorded them, for the time before the Qt
// application exists: NUL-separated, the program first.
std::vector<std::string> ProcArguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> args;
  std::string current;
  for (char c : all) {
    if (c == '\0') {
      args.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) args.push_back(current);
  return args;
}

} // namespace

std::string ProgramPath() {
  if (QCoreApplication::instance()) {
    const QString path = QCoreApplication::applicationFilePath();
    if (!path.isEmpty()) return path.toStdString();
  }
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  if (QCoreApplication::instance()) {
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i)
      args.push_back(all[i].toStdString());
    return args;
  }
  args = ProcArguments();
  if (!args.empty()) args.erase(args.begin());
  return args;
}

TCommandLine CurrentCommandLine() {
  return TCommandLine{ProgramPath(), CommandLineArguments()};
}

void EndProcessNow(int ExitCode) {
  std::fflush(nullptr);
  ::_exit(ExitCode);
}
