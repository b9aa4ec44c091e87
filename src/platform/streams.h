#pragma once
// Byte streams: the common TStream interface with memory- and file-backed
// implementations, used for language files, host messages and pictures.
#include "platform/exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

/// A file could not be opened for reading or writing.
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
/// A file could not be created.
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
/// ReadBuffer got fewer bytes than asked.
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
/// WriteBuffer wrote fewer bytes than asked.
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  virtual ~TStream() = default;
  /// Reads up to Count bytes; returns how many were read.
  virtual std::int64_t Read(void *Buffer, std::int64_t Count) = 0;
  /// Writes up to Count bytes; returns how many were written.
  virtual std::int64_t Write(const void *Buffer, std::int64_t Count) = 0;
  /// Moves the position; returns the new position.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  virtual std::int64_t Size() const = 0;
  virtual void SetSize(std::int64_t NewSize) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Value) { Seek(Value, soBeginning); }
  /// Reads exactly Count bytes or raises EReadError.
  void ReadBuffer(void *Buffer, std::int64_t Count);
  /// Writes exactly Count bytes or raises EWriteError.
  void WriteBuffer(const void *Buffer, std::int64_t Count);
  /// Copies Count bytes from Source (all of it from its start when Count is 0).
  std::int64_t CopyFrom(TStream &Source, std::int64_t Count);
};

/// A stream over a growable block of memory.
class TMemoryStream : public TStream {
public:
  std::int64_t Read(void *Buffer, std::int64_t Count) override;
  std::int64_t Write(const void *Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() const override { return std::int64_t(data_.size()); }
  void SetSize(std::int64_t NewSize) override;

  const char *Memory() const { return data_.data(); }
  char *Memory() { return data_.data(); }
  void Clear();
  void LoadFromStream(TStream &Stream);
  void SaveToStream(TStream &Stream) const;
  /// Reads a regular file of at most MaxBytes (see ReadRegularFile); a FIFO,
  /// device or larger file raises EFOpenError without waiting or reading.
  void LoadFromFile(const std::string &FileName, std::int64_t MaxBytes = std::int64_t(1) << 30);
  /// Replaces the file atomically (see WriteFileAtomic): on failure the old
  /// file stays and EFileWriteError names the file and the reason.
  void SaveToFile(const std::string &FileName) const;

private:
  std::vector<char> data_;
  std::int64_t pos_ = 0;
};

/// A memory stream initialised from text; DataString() gives its contents.
class TStringStream : public TMemoryStream {
public:
  explicit TStringStream(const std::string &Data = std::string());
  std::string DataString() const { return std::string(Memory(), std::size_t(Size())); }
};

// File open modes; one access mode, optionally or-ed with a share mode (the
// share modes are accepted and ignored).
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;
/// Creates the file, or empties an existing one, for reading and writing.
inline constexpr unsigned fmCreate = 0xFF00;

/// A stream over a file on disk.
class TFileStream : public TStream {
public:
  /// Opens FileName; raises EFOpenError / EFCreateError naming the file and
  /// the system's reason on failure. Only regular files are opened: a FIFO,
  /// device or directory is refused without blocking or truncating it.
  TFileStream(const std::string &FileName, unsigned Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream &) = delete;
  TFileStream &operator=(const TFileStream &) = delete;

  std::int64_t Read(void *Buffer, std::int64_t Count) override;
  std::int64_t Write(const void *Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() const override;
  void SetSize(std::int64_t NewSize) override;
  const std::string &FileName() const { return fileName_; }

private:
  /// The back end's handle of the open file (a descriptor, a HANDLE); -1 when closed.
  std::intptr_t handle_ = -1;
  std::string fileName_;
};
