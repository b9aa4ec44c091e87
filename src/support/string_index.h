#pragma once
// A hashed index over a list of strings that finds the first line equal to a
// key, so dictionary lookups cost the same however many entries are loaded.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Positions of lines of a string list, by their text. The index holds no
/// text of its own: it is always used with the list it was built from.
class TStringIndex {
public:
  /// Forgets every line.
  void Clear();
  /// The indexed line of Lines equal to Key (byte for byte), or -1.
  int Find(const std::vector<std::string> &Lines, std::string_view Key) const;
  /// Indexes line I of Lines, which must not equal any indexed line.
  void AddNew(const std::vector<std::string> &Lines, int I);
  /// Indexes every line of Lines whose text is not yet indexed, so that
  /// the first of equal lines is the one found.
  void Rebuild(const std::vector<std::string> &Lines);
  int Count() const { return count_; }

private:
  void Grow();
  /// A line number (-1 for an empty slot) with its key's hash, which spares
  /// most probes a look at the line itself.
  struct Slot {
    std::int32_t Line = -1;
    std::uint32_t Hash = 0;
  };
  std::vector<Slot> slots_; // a power of two long
  int count_ = 0;
};
