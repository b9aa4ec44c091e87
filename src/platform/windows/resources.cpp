// The program's RCDATA resources on Windows.
#include "platform/resources.h"

#include "platform/windows/system.h"
#include "platform/windows/wide_string.h"

std::optional<std::string> FindEmbeddedResource(const std::string &Name) {
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
