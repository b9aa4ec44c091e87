#pragma once
// What the Windows back end's tests ask of the system beside the code under
// test, in a header free of the system's own (whose HKEY would meet the
// registry interface's).
#include <cstdint>
#include <string>

/// Runs the command line Line (program and arguments) with its output
/// discarded, waits up to a minute and returns its exit code (-1 when it
/// could not be started or did not finish).
int RunProgram(const std::wstring &Line);
/// This process's id.
std::uint32_t ProcessId();
/// Sets the environment variable Name of this process.
bool SetEnvironment(const std::wstring &Name, const std::wstring &Value);
