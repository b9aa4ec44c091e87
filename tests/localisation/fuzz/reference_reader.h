#pragma once
// The language-file reader as it was first written, record by record through
// ReadUntilMarker, kept as the oracle the one-pass reader must agree with:
// the same keys and texts, every record kept up to the most a file gives.
#include "localisation/tolkar2000.h"
#include "platform/streams.h"
#include "support/marker_reader.h"
#include "support/string_utils.h"

#include <string>
#include <utility>
#include <vector>

/// The entries the reference reader finds in Bytes (converted from UTF-16
/// first, as the reader does).
inline std::vector<std::pair<std::string, std::string>> ReferenceEntries(const std::string &Bytes,
                                                                         const TTolkar2000 &T) {
  const auto pos = [](const std::string &Pattern, const std::string &Text) -> std::size_t {
    const std::size_t p = Text.find(Pattern);
    return p == std::string::npos ? 0 : p + 1;
  };
  const auto slice = [](const std::string &Text, std::size_t From, std::size_t To) {
    if (From < 1) From = 1;
    if (To > Text.size()) To = Text.size();
    if (To < From) return std::string();
    return Text.substr(From - 1, To - From + 1);
  };
  TStringStream stream(Utf16WithMarkToUtf8(Bytes));
  std::vector<std::pair<std::string, std::string>> entries;
  while (entries.size() < std::size_t(MaxLanguageRecords)) {
    const TMarkerRead record = ReadUntilMarker(stream, "|$$");
    if (!record.Found) break;
    const std::string &r = record.Text;
    const std::size_t p1 = pos("[", r), p2 = pos("]=", r), p3 = pos("|$$", r);
    const std::string key = p2 == 0 ? std::string() : slice(r, p1 + 1, p2 - 1);
    const std::string k = TTolkar2000::NormaliseKey(LowerAscii(key));
    entries.emplace_back(k, T.ProcessText(slice(r, p2 + 2, p3 - 1)));
  }
  return entries;
}
