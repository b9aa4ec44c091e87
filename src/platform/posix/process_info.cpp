#include "platform/process_info.h"

#include "platform/posix/loop_services.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace {

// Arguments as the kernel recorded them, for the time before the
// application object exists: NUL-separated, the program first.
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
  TCommandLine fromApplication;
  if (ApplicationCommandLine(fromApplication) && !fromApplication.ProgramPath.empty())
    return fromApplication.ProgramPath;
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::vector<std::string> CommandLineArguments() {
  TCommandLine fromApplication;
  if (ApplicationCommandLine(fromApplication)) return fromApplication.Arguments;
  std::vector<std::string> args = ProcArguments();
  if (!args.empty()) args.erase(args.begin());
  return args;
}

void EndProcessNow(int ExitCode) {
  std::fflush(nullptr);
  ::_exit(ExitCode);
}

TProcessWaitResult WaitForProcess(std::int32_t ProcessId, int, std::int32_t &, std::string *Error) {
  // Only a parent may wait for a process here, and the programs we start are
  // handed to the system on purpose (start_program.h).
  if (Error) *Error = "process " + std::to_string(ProcessId) + " is not a child of this program";
  return pwFailed;
}
