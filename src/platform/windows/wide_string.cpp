#include "platform/windows/wide_string.h"

#include <windows.h>

#include <climits>

namespace {

std::optional<std::wstring> Convert(std::string_view Text, DWORD Flags) {
  if (Text.empty()) return std::wstring();
  if (Text.size() > std::size_t(INT_MAX)) return std::nullopt;
  const int n = ::MultiByteToWideChar(CP_UTF8, Flags, Text.data(), int(Text.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(std::size_t(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, Flags, Text.data(), int(Text.size()), wide.data(), n);
  return wide;
}

} // namespace

std::wstring WideFromUtf8(std::string_view Text) {
  return Convert(Text, 0).value_or(std::wstring());
}

std::optional<std::wstring> StrictWideFromUtf8(std::string_view Text) {
  if (Text.find('\0') != std::string_view::npos) return std::nullopt;
  return Convert(Text, MB_ERR_INVALID_CHARS);
}

std::string Utf8FromWide(std::wstring_view Text) {
  if (Text.empty() || Text.size() > std::size_t(INT_MAX)) return std::string();
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0,
                                      nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string utf8(std::size_t(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, Text.data(), int(Text.size()), utf8.data(), n, nullptr,
                        nullptr);
  return utf8;
}
