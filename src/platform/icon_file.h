#pragma once
// Writing a file that other code may read at any moment (an icon fetched from
// the host into the work area): the bytes go to a temporary file beside the
// target, which then replaces the target in one rename. A crash or a full
// disk leaves either the old file or the new one, never a truncated one.
#include <string>
#include <string_view>

/// Replaces the file at Path by Bytes atomically. Raises EStreamError naming
/// the path when the file cannot be written; the old file is then untouched.
void WriteIconFileAtomic(const std::string &Path, std::string_view Bytes);
