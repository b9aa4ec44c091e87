#pragma once
// Starting a program file directly, without a shell, so that the system and
// not this process reaps it.
#include <string>
#include <vector>

/// Starts Path with Arguments (Path itself is not among them) through a
/// short-lived intermediate process. Returns 0 when the program started,
/// otherwise the error number of the failed fork or exec (ENOENT when there
/// is no such file).
int StartDetachedProgram(const std::string &Path, const std::vector<std::string> &Arguments);
