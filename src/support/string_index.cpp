#include "support/string_index.h"

#include <functional>

namespace {
std::size_t Hash(std::string_view Key) {
  return std::hash<std::string_view>{}(Key);
}
} // namespace

void TStringIndex::Clear() {
  slots_.clear();
  count_ = 0;
}

int TStringIndex::Find(const std::vector<std::string> &Lines, std::string_view Key) const {
  if (slots_.empty()) return -1;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t s = Hash(Key) & mask;; s = (s + 1) & mask) {
    const std::int32_t i = slots_[s];
    if (i < 0) return -1;
    if (Lines[std::size_t(i)] == Key) return i;
  }
}

void TStringIndex::AddNew(const std::vector<std::string> &Lines, int I) {
  // At most half full, so probes stay short and an empty slot always exists.
  if (std::size_t(count_ + 1) * 2 > slots_.size()) Grow(Lines);
  const std::size_t mask = slots_.size() - 1;
  std::size_t s = Hash(Lines[std::size_t(I)]) & mask;
  while (slots_[s] >= 0)
    s = (s + 1) & mask;
  slots_[s] = I;
  ++count_;
}

void TStringIndex::Rebuild(const std::vector<std::string> &Lines) {
  Clear();
  for (std::size_t i = 0; i < Lines.size(); ++i)
    if (Find(Lines, Lines[i]) < 0) AddNew(Lines, int(i));
}

void TStringIndex::Grow(const std::vector<std::string> &Lines) {
  std::vector<std::int32_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 16 : old.size() * 2, -1);
  const std::size_t mask = slots_.size() - 1;
  for (std::int32_t i : old) {
    if (i < 0) continue;
    std::size_t s = Hash(Lines[std::size_t(i)]) & mask;
    while (slots_[s] >= 0)
      s = (s + 1) & mask;
    slots_[s] = i;
  }
}
