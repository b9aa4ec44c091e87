#pragma once
// The system's text for the calling thread's last error.
#include <string>

/// strerror of errno; "(GetLastErrorString failed)" when errno is 0 or the
/// system has no text for it.
std::string GetLastErrorString();
