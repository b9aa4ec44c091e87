#pragma once
// The per-user directory that holds the program's message-window sockets and
// single-instance locks: $XDG_RUNTIME_DIR/spectrion, else /tmp/spectrion-<uid>.
// It is created with mode 0700 when missing; an existing one is used only
// when it is a real directory (not a link) owned by the user with exactly
// mode 0700, so no other user can reach, plant or replace anything in it.
#include <string>

/// The directory's path, created when missing. Returns an empty string and
/// sets Error (when given) to the reason when it is missing and cannot be
/// created, or exists but is not safe to use.
std::string UserRuntimeDirectory(std::string *Error = nullptr);
