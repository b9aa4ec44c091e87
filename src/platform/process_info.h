#pragma once
// Facts about the running process that components need: where the program
// file lies and which arguments it was started with.
#include <cstdint>
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

/// How long a caller waits for a started program to end (10 minutes):
/// long enough for a tool run to finish, short enough that a program that
/// never ends does not hold the caller for good.
inline constexpr int ProcessWaitLimitMs = 10 * 60 * 1000;

enum TProcessWaitResult { pwEnded, pwTimedOut, pwFailed };
/// Waits up to TimeoutMs for the process ProcessId (of any parent) to end
/// and gives its exit code. pwTimedOut when it still runs, pwFailed when it
/// cannot be waited for (Error says why: no such process, no right to it,
/// or, on Linux, any process that is not a child of ours).
TProcessWaitResult WaitForProcess(std::int32_t ProcessId, int TimeoutMs, std::int32_t &ExitCode,
                                  std::string *Error = nullptr);
