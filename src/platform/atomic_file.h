#pragma once
// Writing files so that a failure or a crash never costs the old contents:
// the new bytes go to a temporary file beside the target, which is flushed
// to disk and renamed over it. Also the checked writing of standard output.
#include "platform/streams.h"

#include <string>
#include <string_view>

/// A file could not be written; the message names the file and the reason.
class EFileWriteError : public EFCreateError {
public:
  using EFCreateError::EFCreateError;
};

/// Replaces the file Path by Bytes, or leaves it exactly as it was and raises
/// EFileWriteError naming Path and the system's reason. Every write, the
/// flush to disk and the close are checked; the rename over the target and
/// the directory's flush follow. A replaced file keeps its permission bits
/// (a new one gets 0666 less the umask); a symbolic link keeps pointing at
/// the file it names, which is replaced. A target that exists but is not a
/// regular file (a directory, a device, a FIFO), or that the user may not
/// write (a read-only file), is refused without opening it, and so is a link
/// that another user placed in a shared sticky directory such as /tmp.
///
/// The temporary file is named after the target, the same name on every
/// write, so a crash leaves at most one of it per target and the next write
/// reuses and removes it. Writers of one target are serialised by a lock on
/// that temporary file.
void WriteFileAtomic(const std::string &Path, std::string_view Bytes);

/// The whole of Stream (from its start) written to Path with WriteFileAtomic.
void WriteStreamAtomic(const std::string &Path, TStream &Stream);

/// The name of the temporary file WriteFileAtomic uses for Path: in the same
/// directory, hidden, and within the file-name limit however long the
/// target's name is.
std::string AtomicTemporaryName(const std::string &Path);

/// Writes Bytes to standard output and raises EFileWriteError with the
/// system's reason when they cannot all be written (a full disk, a closed
/// descriptor).
void WriteStandardOutput(std::string_view Bytes);

namespace atomic_file_testing {
/// The steps of WriteFileAtomic at which a test can make it fail.
enum TStep { stNone, stOpen, stWrite, stSync, stClose, stRename, stSyncDirectory };
/// Makes the next writes fail at Step with the error code Errno, until reset
/// with stNone. For tests only.
void FailAt(TStep Step, int Errno);
} // namespace atomic_file_testing
