#pragma once
// The simulator's dealings with other processes: starting a program without
// a shell, collecting ended children, and waiting until told to stop.
#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

/// Starts Args[0] (searched on the path) with the rest as its arguments,
/// detached; the new process's id, or 0 when it could not be started.
std::int64_t StartDetached(const std::vector<std::string> &Args);
/// Collects the exit status of every child that has ended (no zombies).
void ReapEndedChildren();
/// Sleeps until Stop becomes non-zero.
void WaitUntil(const volatile std::sig_atomic_t &Stop);
