#include "platform/streams.h"

#include "platform/atomic_file.h"
#include "platform/file_input.h"

#include <algorithm>
#include <cstring>

void TStream::ReadBuffer(void *Buffer, std::int64_t Count) {
  if (Count <= 0) return;
  if (Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void *Buffer, std::int64_t Count) {
  if (Count <= 0) return;
  if (Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream &Source, std::int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  char buffer[8192];
  std::int64_t left = Count;
  while (left > 0) {
    const std::int64_t n = std::min<std::int64_t>(left, sizeof buffer);
    Source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    left -= n;
  }
  return Count;
}

// ---- memory ------------------------------------------------------------

std::int64_t TMemoryStream::Read(void *Buffer, std::int64_t Count) {
  if (Count <= 0 || pos_ >= Size()) return 0;
  const std::int64_t n = std::min(Count, Size() - pos_);
  std::memcpy(Buffer, data_.data() + pos_, std::size_t(n));
  pos_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void *Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  if (pos_ + Count > Size()) data_.resize(std::size_t(pos_ + Count));
  std::memcpy(data_.data() + pos_, Buffer, std::size_t(Count));
  pos_ += Count;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == soCurrent)
    base = pos_;
  else if (Origin == soEnd)
    base = Size();
  // A position before the start is pinned to the start; beyond the end is
  // allowed (reads return nothing, a write extends the stream).
  pos_ = std::max<std::int64_t>(0, base + Offset);
  return pos_;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  data_.resize(std::size_t(std::max<std::int64_t>(0, NewSize)));
  pos_ = std::min(pos_, Size());
}

void TMemoryStream::Clear() {
  data_.clear();
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream &Stream) {
  Stream.SetPosition(0);
  const std::int64_t n = Stream.Size();
  data_.resize(std::size_t(n));
  Stream.ReadBuffer(data_.data(), n);
  pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream &Stream) const {
  Stream.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string &FileName, std::int64_t MaxBytes) {
  // Read into a buffer of its own and taken over whole: no copy, and on
  // failure the stream keeps what it held.
  std::vector<char> bytes;
  ReadRegularFile(FileName, MaxBytes, bytes);
  data_.swap(bytes);
  pos_ = 0;
}

void TMemoryStream::SaveToFile(const std::string &FileName) const {
  WriteFileAtomic(FileName, std::string_view(data_.data(), data_.size()));
}

TStringStream::TStringStream(const std::string &Data) {
  WriteBuffer(Data.data(), std::int64_t(Data.size()));
  SetPosition(0);
}
