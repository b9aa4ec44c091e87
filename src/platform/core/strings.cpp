#include "platform/strings.h"
#include <algorithm>
#include <cctype>

int TStrings::Add(const std::string &S) {
  int index = Count();
  Insert(index, S);
  return index;
}

void TStrings::AddStrings(const TStrings &Other) {
  BeginUpdate();
  for (int i = 0; i < Other.Count(); ++i)
    Add(Other.Strings(i));
  EndUpdate();
}

int TStrings::IndexOf(const std::string &S) const {
  for (int i = 0; i < Count(); ++i) {
    std::string line = Strings(i);
    if (line.size() == S.size() &&
        std::equal(line.begin(), line.end(), S.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return i;
  }
  return -1;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Strings(i);
    out += '\n';
  }
  return out;
}

void TStrings::SetText(const std::string &Value) {
  BeginUpdate();
  Clear();
  std::size_t start = 0;
  while (start < Value.size()) {
    std::size_t end = Value.find('\n', start);
    std::size_t next = end == std::string::npos ? Value.size() : end + 1;
    if (end == std::string::npos) end = Value.size();
    std::size_t stop = end;
    if (stop > start && Value[stop - 1] == '\r') --stop;
    Add(Value.substr(start, stop - start));
    start = next;
  }
  EndUpdate();
}

std::string TStrings::Names(int Index) const {
  std::string line = Strings(Index);
  std::size_t eq = line.find('=');
  return eq == std::string::npos ? std::string() : line.substr(0, eq);
}

std::string TStrings::Values(const std::string &Name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string line = Strings(i);
    std::size_t eq = line.find('=');
    if (eq != std::string::npos && eq == Name.size() &&
        std::equal(Name.begin(), Name.end(), line.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        }))
      return line.substr(eq + 1);
  }
  return std::string();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent *Source) {
  if (auto *src = dynamic_cast<TStrings *>(Source)) {
    if (src == this) return;
    BeginUpdate();
    Clear();
    AddStrings(*src);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TStringList -------------------------------------------------------------

void TStringList::Check(int Index, bool allowEnd) const {
  int limit = Count() + (allowEnd ? 1 : 0);
  if (Index < 0 || Index >= limit)
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

std::string TStringList::Strings(int Index) const {
  Check(Index, false);
  return lines_[std::size_t(Index)];
}

void TStringList::Put(int Index, const std::string &S) {
  Check(Index, false);
  lines_[std::size_t(Index)] = S;
  Changed();
}

void TStringList::Insert(int Index, const std::string &S) {
  Check(Index, true);
  lines_.insert(lines_.begin() + Index, S);
  Changed();
}

void TStringList::Delete(int Index) {
  Check(Index, false);
  lines_.erase(lines_.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  Changed();
}

void TStringList::Changed() {
  if (UpdateCount() > 0) {
    changedWhileUpdating_ = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) {
    changedWhileUpdating_ = false;
  } else if (changedWhileUpdating_) {
    changedWhileUpdating_ = false;
    Changed();
  }
}

std::string StripAccelChars(const std::string &Caption) {
  std::string out;
  out.reserve(Caption.size());
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&' && i + 1 < Caption.size()) ++i;
    out += Caption[i];
  }
  return out;
}
