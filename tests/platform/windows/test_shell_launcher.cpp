#include "platform/shell_launcher.h"

#include "platform/process_info.h"
#include "platform/windows/command_line_text.h"
#include "platform/windows/system_error.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

namespace {

std::vector<std::wstring> SplitLikeTheRuntime(const std::wstring &Line) {
  int count = 0;
  LPWSTR *argv = CommandLineToArgvW((L"prog.exe " + Line).c_str(), &count);
  std::vector<std::wstring> out;
  for (int i = 1; i < count; ++i)
    out.emplace_back(argv[i]);
  LocalFree(argv);
  return out;
}

TEST(WindowsShellLauncher, ArgumentsSurviveTheCommandLineUnchanged) {
  const std::vector<std::string> args = {"plain",
                                         "two words",
                                         "",
                                         "quote\"inside",
                                         "trailing\\",
                                         "back\\\\\"slash",
                                         "tab\there",
                                         "\xc3\xa4\xe2\x82\xac",
                                         "C:\\Program Files\\x\\"};
  const std::vector<std::wstring> split = SplitLikeTheRuntime(CommandLineText(args));
  ASSERT_EQ(split.size(), args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, args[i].data(), int(args[i].size()), nullptr, 0);
    std::wstring want(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, args[i].data(), int(args[i].size()), want.data(), n);
    EXPECT_EQ(split[i], want) << i;
  }
  EXPECT_EQ(CommandLineText({}), L"");
}

TEST(WindowsShellLauncher, MissingProgramGivesTheSystemsErrorWithAText) {
  const int error = ShellLauncher().StartProgram("C:\\no\\such\\folder\\missing.exe", {"-x"});
  EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
  EXPECT_FALSE(SystemErrorText(std::uint32_t(error)).empty());
  EXPECT_EQ(ShellLauncher().StartProgram("", {}), ERROR_INVALID_NAME);
}

TEST(WindowsShellLauncher, StartedProgramCanBeWaitedForWithinABound) {
  // cmd.exe ends with the exit code asked for; the wait sees it.
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring line = L"cmd.exe /c exit 7";
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &si, &pi));
  std::int32_t code = -1;
  std::string why;
  EXPECT_EQ(WaitForProcess(std::int32_t(pi.dwProcessId), 20000, code, &why), pwEnded) << why;
  EXPECT_EQ(code, 7);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  // No such process: a failure with the system's reason.
  EXPECT_EQ(WaitForProcess(0x7ffffff0, 100, code, &why), pwFailed);
  EXPECT_FALSE(why.empty());
  // Still running after the bound: timed out, told so.
  line = L"cmd.exe /c ping -n 3 127.0.0.1";
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &si, &pi));
  EXPECT_EQ(WaitForProcess(std::int32_t(pi.dwProcessId), 10, code, &why), pwTimedOut);
  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

TEST(WindowsProcessInfo, ProgramPathNamesThisTestProgram) {
  const std::string path = ProgramPath();
  EXPECT_NE(path.find("test_shell_launcher.exe"), std::string::npos) << path;
  EXPECT_EQ(CurrentCommandLine().ProgramPath, path);
}

} // namespace
