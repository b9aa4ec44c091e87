#include "sim_process.h"

#include <chrono>
#include <thread>

#if defined(_WIN32)
#include <windows.h>

namespace {
std::wstring Widened(const std::string &Text) {
  if (Text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0);
  std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), wide.data(), n);
  return wide;
}

// One argument quoted as the C runtime's command-line parser reads it back.
void AppendQuoted(std::wstring &Line, const std::wstring &Arg) {
  if (!Line.empty()) Line += L' ';
  if (!Arg.empty() && Arg.find_first_of(L" \t\"") == std::wstring::npos) {
    Line += Arg;
    return;
  }
  Line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : Arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') Line.append(backslashes * 2 + 1, L'\\');
    else Line.append(backslashes, L'\\');
    backslashes = 0;
    Line += c;
  }
  Line.append(backslashes * 2, L'\\');
  Line += L'"';
}
} // namespace

std::int64_t StartDetached(const std::vector<std::string> &Args) {
  if (Args.empty()) return 0;
  std::wstring line;
  for (const std::string &a : Args) AppendQuoted(line, Widened(a));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess); // no zombies on Windows: the handle was all we held
  return std::int64_t(process.dwProcessId);
}

void ReapEndedChildren() {}

#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

std::int64_t StartDetached(const std::vector<std::string> &Args) {
  if (Args.empty()) return 0;
  std::vector<std::string> copy = Args;
  std::vector<char *> argv;
  for (auto &a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return 0;
  return pid;
}

void ReapEndedChildren() {
  while (::waitpid(-1, nullptr, WNOHANG) > 0) {
  }
}
#endif

void WaitUntil(const volatile std::sig_atomic_t &Stop) {
  while (!Stop) std::this_thread::sleep_for(std::chrono::milliseconds(50));
}
