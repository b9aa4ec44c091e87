#pragma once
// The per-user directory that holds the program's message-window sockets and
// single-instance locks: $XDG_RUNTIME_DIR/spectrion, else /tmp/spectrion-<uid>.
// It is created with mode 0700 when missing; an existing one is used only
// when it is a real directory (not a link) owned by the user with exactly
// mode 0700, so no other user can reach, plant or replace anything in it.
//
// /tmp is shared: another user may take /tmp/spectrion-<uid> first (with a
// directory, a link, a file or a FIFO). Then the directory falls back to one
// under the user's own home that nobody else can create:
// ${XDG_CACHE_HOME:-$HOME/.cache}/spectrion/run-<host name>.
#include <string>

/// The directory's path, created when missing. Returns an empty string and
/// sets Error (when given) to the reason when it is missing and cannot be
/// created, or exists but is not safe to use (for the shared place, the
/// reasons for it and for the fallback).
std::string UserRuntimeDirectory(std::string *Error = nullptr);

/// Test seam: the shared directory in which "spectrion-<uid>" is made when
/// XDG_RUNTIME_DIR is not set (default "/tmp"; empty restores it).
void SetSharedRuntimeBase(const std::string &Directory);
