#pragma once
// Reading whole files that come from outside the program (language files,
// pictures, icons, registry keys) without trusting what the name points at.
#include "platform/streams.h"

#include <cstdint>
#include <string>
#include <vector>

/// Size caps by kind of file: far above any real file of the kind, low
/// enough that a hostile one cannot flood memory.
inline constexpr std::int64_t MaxIconFileBytes = std::int64_t(16) << 20;
inline constexpr std::int64_t MaxPictureFileBytes = std::int64_t(256) << 20;
inline constexpr std::int64_t MaxRegistryKeyFileBytes = std::int64_t(1) << 20;

/// The bytes of FileName. The file is opened without blocking and read only
/// when it is a regular file (not a FIFO, device or directory) of at most
/// MaxBytes; otherwise EFOpenError names the file and the reason.
std::string ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes);
/// Same, into Bytes (replaced; left unspecified on failure).
void ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes, std::vector<char> &Bytes);
