#pragma once
// Loads a language file from raw bytes and checks what must hold for any input,
// however malformed. Shared by the fuzz target and by the corpus replay test.
#include "localisation/tolkar2000.h"
#include "reference_reader.h"
#include "platform/streams.h"

#include <cstddef>
#include <cstdint>
#include <string>

/// Returns an empty string when every property holds, else what failed.
inline std::string CheckDictionaryInput(const std::uint8_t *Data, std::size_t Size) {
  const std::string bytes(reinterpret_cast<const char *>(Data), Size);
  TTolkar2000 t("");
  TStringStream stream(bytes);
  stream.SetPosition(std::int64_t(Size / 2)); // loading must start at the beginning anyway
  t.LoadDictionary(stream);

  if (t.Keys.Count() != t.Texts.Count()) return "key and text counts differ";
  // The one-pass reader yields exactly what the record-by-record reader
  // yields, every record.
  const auto reference = ReferenceEntries(bytes, t);
  if (std::size_t(t.Keys.Count()) != reference.size()) return "entry count differs from the reference";
  for (std::size_t i = 0; i < reference.size(); ++i)
    if (t.Keys.Strings(int(i)) != reference[i].first || t.Texts.Strings(int(i)) != reference[i].second)
      return "an entry differs from the reference";

  for (const std::string &key : t.Keys.Lines()) {
    if (TTolkar2000::NormaliseKey(key) != key) return "a stored key is not normalised";
    for (char c : key)
      if (c >= 'A' && c <= 'Z') return "a stored key has upper-case letters";
  }
  for (const std::string &text : t.Texts.Lines())
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool crWithoutLf = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
      const bool lfWithoutCr = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
      if (crWithoutLf || lfWithoutCr) return "a text keeps a line break from the file";
    }

  // Lookups find the first entry of each key (limited, to keep each run quick).
  const int n = t.Keys.Count() < 64 ? t.Keys.Count() : 64;
  for (int i = 0; i < n; ++i) {
    const std::string &key = t.Keys.Strings(i);
    int first = 0;
    while (t.Keys.Strings(first) != key)
      ++first;
    if (t.Translate(key) != t.Texts.Strings(first)) return "lookup misses a key's first entry";
  }

  // The template written from this dictionary reads back to the same keys,
  // unless a text holds an end marker: removing "<%APPNAME%>" can join "|" and
  // "$$", and the file format has no way to escape it.
  for (const std::string &text : t.Texts.Lines())
    if (text.find("|$$") != std::string::npos) return {};
  std::string written;
  for (const std::string &line : t.TemplateLines())
    written += line + "\r\n";
  TTolkar2000 back("");
  TStringStream again(written);
  back.LoadDictionary(again);
  if (back.Keys.Lines() != t.Keys.Lines()) return "the template does not read back";
  return {};
}
