#include "platform/message_frame.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t LittleEndian32(const unsigned char *P) {
  return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 |
         std::uint32_t(P[3]) << 24;
}

void Append32(std::string &Out, std::uint32_t Value) {
  for (int shift = 0; shift < 32; shift += 8)
    Out += static_cast<char>((Value >> shift) & 0xFFu);
}

} // namespace

std::string EncodeCopyDataHeader(std::uint32_t Sender, std::int32_t Code,
                                 std::uint32_t BlockSize) {
  std::string header;
  header.reserve(CopyDataHeaderSize);
  Append32(header, Sender);
  Append32(header, static_cast<std::uint32_t>(Code));
  Append32(header, BlockSize);
  return header;
}

std::size_t TCopyDataFrameReader::Wanted() const {
  switch (state_) {
  case fsHeader:
    return CopyDataHeaderSize - headerFill_;
  case fsBlock:
    return count_ - block_.size();
  default:
    return 0;
  }
}

std::size_t TCopyDataFrameReader::Feed(const char *Data, std::size_t Size) {
  std::size_t taken = 0;
  if (state_ == fsHeader && Size > 0) {
    const std::size_t n = std::min(Size, CopyDataHeaderSize - headerFill_);
    std::memcpy(header_ + headerFill_, Data, n);
    headerFill_ += n;
    taken += n;
    if (headerFill_ == CopyDataHeaderSize) {
      sender_ = LittleEndian32(header_);
      code_ = static_cast<std::int32_t>(LittleEndian32(header_ + 4));
      count_ = LittleEndian32(header_ + 8);
      if (count_ > MaxCopyDataBlock) {
        state_ = fsRefused;
        return taken;
      }
      state_ = count_ == 0 ? fsComplete : fsBlock;
    }
  }
  if (state_ == fsBlock && taken < Size) {
    const std::size_t n = std::min(Size - taken, std::size_t(count_) - block_.size());
    block_.append(Data + taken, n);
    taken += n;
    if (block_.size() == count_) state_ = fsComplete;
  }
  return taken;
}
