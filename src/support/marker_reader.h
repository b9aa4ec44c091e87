#pragma once
// Reads a stream record by record, each record ending with a marker text.
#include "platform/streams.h"

#include <string>

struct TMarkerRead {
  /// The text read, ending with the marker when Found.
  std::string Text;
  bool Found = false;
};

/// Reads from the current position of Stream up to and including the first
/// occurrence of Marker (compared without regard to A-Z case) and leaves the
/// stream just after it. When the marker does not occur, Found is false and
/// neither the text nor the stream position carries meaning.
TMarkerRead ReadUntilMarker(TStream &Stream, const std::string &Marker);
