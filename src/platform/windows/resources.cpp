// Named resources on Windows: the registered table first, then the
// program's RCDATA resources of that name.
#include "platform/resources.h"

#include "platform/windows/wide_string.h"

#include "platform/windows/system.h"

#include <map>

#undef FindResource // the system's macro for FindResourceW

namespace {
std::map<std::string, std::string> &Table() {
  static std::map<std::string, std::string> table;
  return table;
}
} // namespace

void RegisterResource(const std::string &Name, std::string_view Data) {
  Table()[Name] = std::string(Data);
}

std::optional<std::string> FindResource(const std::string &Name) {
  auto it = Table().find(Name);
  if (it != Table().end()) return it->second;
  const std::optional<std::wstring> wide = StrictWideFromUtf8(Name);
  if (!wide || wide->empty()) return std::nullopt;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, wide->c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return std::nullopt;
  return std::string(static_cast<const char *>(bytes), SizeofResource(module, found));
}
