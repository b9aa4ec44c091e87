#include "support/string_index.h"

#include <functional>

namespace {
// 32 bits of the standard hash: enough for any table of int-numbered lines.
std::uint32_t Hash(std::string_view Key) {
  return std::uint32_t(std::hash<std::string_view>{}(Key));
}
} // namespace

void TStringIndex::Clear() {
  slots_.clear();
  count_ = 0;
}

int TStringIndex::Find(const std::vector<std::string> &Lines, std::string_view Key) const {
  if (slots_.empty()) return -1;
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t h = Hash(Key);
  for (std::size_t s = h & mask;; s = (s + 1) & mask) {
    const Slot &slot = slots_[s];
    if (slot.Line < 0) return -1;
    if (slot.Hash == h && Lines[std::size_t(slot.Line)] == Key) return slot.Line;
  }
}

void TStringIndex::AddNew(const std::vector<std::string> &Lines, int I) {
  // At most half full, so probes stay short and an empty slot always exists.
  if (std::size_t(count_ + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  const std::uint32_t h = Hash(Lines[std::size_t(I)]);
  std::size_t s = h & mask;
  while (slots_[s].Line >= 0)
    s = (s + 1) & mask;
  slots_[s] = Slot{I, h};
  ++count_;
}

void TStringIndex::Rebuild(const std::vector<std::string> &Lines) {
  Clear();
  for (std::size_t i = 0; i < Lines.size(); ++i)
    if (Find(Lines, Lines[i]) < 0) AddNew(Lines, int(i));
}

void TStringIndex::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
  const std::size_t mask = slots_.size() - 1;
  // The stored hash places each line again without reading it.
  for (const Slot &slot : old) {
    if (slot.Line < 0) continue;
    std::size_t s = slot.Hash & mask;
    while (slots_[s].Line >= 0)
      s = (s + 1) & mask;
    slots_[s] = slot;
  }
}
