// The desktop's launcher for programs and the splitting of parameter texts.
#include "platform/shell_launcher.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// The desktop's own launcher: a real program gets exactly its arguments (no
// shell sees them), a missing one reports the system's error number, and
// nothing is left behind as a child of ours.
TEST(DesktopLauncher, StartsProgramsWithoutAShellAndLeavesNoChild) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("urllab-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path program = dir / "Echo Args.EXE";
  const fs::path out = dir / "args.txt";
  {
    std::ofstream script(program);
    script << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" << out.string()
           << ".tmp\"\nmv \"" << out.string() << ".tmp\" \"" << out.string() << "\"\n";
  }
  fs::permissions(program, fs::perms::owner_all);
  TShellLauncher &desktop = ShellLauncher();
  EXPECT_EQ(desktop.StartProgram(program.string(), SplitParameters("$HOME \"a;b\" *")), 0);
  for (int i = 0; i < 200 && !fs::exists(out); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::ifstream in(out);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(all, "$HOME\na;b\n*\n");
  EXPECT_EQ(desktop.StartProgram((dir / "missing.exe").string(), {}), ENOENT);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  fs::remove_all(dir);
}

} // namespace
