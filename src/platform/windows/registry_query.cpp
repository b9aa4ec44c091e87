#include "platform/windows/registry_query.h"

#include "platform/windows/wide_string.h"

#include <windows.h>

#include <vector>

namespace {

class TKey {
public:
  explicit TKey(HKEY Key) : key_(Key) {}
  ~TKey() { ::RegCloseKey(key_); }
  TKey(const TKey &) = delete;
  TKey &operator=(const TKey &) = delete;
  HKEY Get() const { return key_; }

private:
  HKEY key_;
};

std::wstring Expanded(const std::wstring &Text) {
  const DWORD n = ::ExpandEnvironmentStringsW(Text.c_str(), nullptr, 0);
  if (n == 0 || n > MaxRegistryValueBytes) return Text;
  std::wstring out(n, L'\0');
  const DWORD m = ::ExpandEnvironmentStringsW(Text.c_str(), out.data(), n);
  if (m == 0 || m > n) return Text;
  out.resize(m - 1); // without the terminating NUL
  return out;
}

} // namespace

std::string QueryRegistryString(std::uintptr_t Root, const std::string &KeyPath,
                                const std::string &ValueName) {
  std::string path = KeyPath;
  for (char &c : path)
    if (c == '/') c = '\\';
  while (!path.empty() && path.front() == '\\')
    path.erase(path.begin());
  const std::optional<std::wstring> key = StrictWideFromUtf8(path);
  const std::optional<std::wstring> value = StrictWideFromUtf8(ValueName);
  if (path.empty() || !key || !value) return std::string();
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(reinterpret_cast<HKEY>(Root), key->c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return std::string();
  TKey guard(opened);
  // The value may change between asking its size and reading it: read
  // until the buffer was large enough.
  std::vector<BYTE> data(256);
  DWORD type = 0;
  for (;;) {
    DWORD size = DWORD(data.size());
    const LSTATUS status =
        ::RegQueryValueExW(opened, value->c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      if (size > MaxRegistryValueBytes) return std::string();
      data.resize(std::max<std::size_t>(size, data.size() * 2));
      continue;
    }
    if (status != ERROR_SUCCESS) return std::string();
    data.resize(size);
    break;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  std::copy(data.begin(), data.begin() + std::ptrdiff_t(text.size() * sizeof(wchar_t)),
            reinterpret_cast<BYTE *>(text.data()));
  // Stored strings need not end in NUL, and may end in several.
  if (const std::size_t nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
  if (type == REG_EXPAND_SZ) text = Expanded(text);
  return Utf8FromWide(text);
}
