#pragma once
// Facts about the running process that components need: where the program
// file lies and which arguments it was started with.
#include <string>
#include <vector>

/// The program's path and its command-line arguments (without the program).
struct TCommandLine {
  std::string ProgramPath;
  std::vector<std::string> Arguments;
};

/// The full path of the running program's file (empty when it cannot be found).
std::string ProgramPath();
/// The arguments the program was started with, not counting the program itself.
std::vector<std::string> CommandLineArguments();
/// Both of the above.
TCommandLine CurrentCommandLine();

/// Ends the process at once with ExitCode: standard output is flushed, but
/// no destructor, exit handler or Qt clean-up runs.
[[noreturn]] void EndProcessNow(int ExitCode);
