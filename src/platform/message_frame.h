#pragma once
// The byte form of one copy-data message between message windows, and an
// incremental reader for it. A frame is 12 header bytes, all little-endian:
// the sending window's handle (32 bits), the data word (the message code,
// signed 32 bits) and the block's byte count (32 bits), then the block. The
// receiver answers a handled frame with 4 bytes: the window procedure's
// result. The reader is pure (no sockets) so that hostile input can be
// fuzzed directly.
#include <cstddef>
#include <cstdint>
#include <string>

/// The largest block a message window accepts or sends (64 MiB). A longer
/// count is refused before a single byte of the block is read.
inline constexpr std::uint32_t MaxCopyDataBlock = 64u * 1024u * 1024u;
/// Header bytes in front of every block.
inline constexpr std::size_t CopyDataHeaderSize = 12;

/// The 12 header bytes for a block of BlockSize bytes.
std::string EncodeCopyDataHeader(std::uint32_t Sender, std::int32_t Code, std::uint32_t BlockSize);

/// Collects one frame from bytes as they arrive. The block grows only by
/// bytes actually received, never by the announced count.
class TCopyDataFrameReader {
public:
  enum TState { fsHeader, fsBlock, fsComplete, fsRefused };

  /// Takes bytes up to the end of the frame and returns how many it took.
  /// Takes nothing once the frame is complete or refused.
  std::size_t Feed(const char *Data, std::size_t Size);
  /// Bytes the reader still needs before the frame is complete (0 when done).
  std::size_t Wanted() const;

  TState State() const { return state_; }
  bool Complete() const { return state_ == fsComplete; }
  /// The header announced more than MaxCopyDataBlock bytes.
  bool Refused() const { return state_ == fsRefused; }

  std::uint32_t Sender() const { return sender_; }
  std::int32_t Code() const { return code_; }
  const std::string &Block() const { return block_; }

private:
  TState state_ = fsHeader;
  unsigned char header_[CopyDataHeaderSize] = {};
  std::size_t headerFill_ = 0;
  std::uint32_t sender_ = 0;
  std::int32_t code_ = 0;
  std::uint32_t count_ = 0;
  std::string block_;
};
