#include "support/marker_reader.h"

#include "support/string_utils.h"

#include <algorithm>

TMarkerRead ReadUntilMarker(TStream &Stream, const std::string &Marker) {
  constexpr std::int64_t BlockSize = 256;
  TMarkerRead result;
  // An empty marker would match at once without consuming anything and keep
  // a reading loop spinning; it is reported as not found.
  if (Marker.empty()) return result;
  const std::int64_t start = Stream.Position();
  const std::string marker = LowerAscii(Marker);
  std::string lowered;
  std::size_t q = std::string::npos;
  char block[BlockSize];
  for (;;) {
    const std::int64_t n = Stream.Read(block, BlockSize);
    const std::size_t before = result.Text.size();
    result.Text.append(block, std::size_t(std::max<std::int64_t>(n, 0)));
    lowered.append(LowerAscii(std::string(block, std::size_t(std::max<std::int64_t>(n, 0)))));
    // Only the new bytes and the marker's length before them can complete it.
    const std::size_t from = before >= marker.size() ? before - marker.size() + 1 : 0;
    q = lowered.find(marker, from);
    if (q != std::string::npos || n < BlockSize) break;
  }
  if (q == std::string::npos) return result;
  result.Found = true;
  result.Text.resize(q + Marker.size());
  Stream.SetPosition(start + std::int64_t(q + Marker.size()));
  return result;
}
