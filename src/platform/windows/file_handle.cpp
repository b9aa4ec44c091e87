#include "platform/windows/file_handle.h"

#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"

#include <windows.h>

#include <array>
#include <cwctype>

namespace {

bool StartsWith(std::wstring_view s, std::wstring_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

std::wstring Upper(std::wstring_view s) {
  std::wstring out(s);
  for (wchar_t &c : out)
    if (c >= L'a' && c <= L'z') c = wchar_t(c - L'a' + L'A');
  return out;
}

bool IsReservedBaseName(std::wstring_view Name) {
  // The device part ends at the first dot or colon; trailing spaces do not count.
  std::wstring stem(Name.substr(0, Name.find_first_of(L".:")));
  while (!stem.empty() && stem.back() == L' ')
    stem.pop_back();
  stem = Upper(stem);
  static constexpr std::array<std::wstring_view, 6> plain{L"CON", L"PRN",    L"AUX",
                                                          L"NUL", L"CONIN$", L"CONOUT$"};
  for (std::wstring_view p : plain)
    if (stem == p) return true;
  if (stem.size() == 4 && (StartsWith(stem, L"COM") || StartsWith(stem, L"LPT"))) {
    const wchar_t d = stem[3];
    // Windows also reserves COM and LPT with a superscript 1, 2 or 3.
    return (d >= L'0' && d <= L'9') || d == L'\u00B9' || d == L'\u00B2' || d == L'\u00B3';
  }
  return false;
}

} // namespace

std::optional<std::wstring> WideFileName(const std::string &Path) {
  if (Path.empty()) return std::nullopt;
  return StrictWideFromUtf8(Path);
}

bool IsDeviceFileName(std::wstring_view Path) {
  std::wstring p(Path);
  for (wchar_t &c : p)
    if (c == L'/') c = L'\\';
  if (StartsWith(p, L"\\\\.\\") || StartsWith(p, L"\\??\\")) return true;
  if (StartsWith(p, L"\\\\?\\")) {
    const std::wstring_view rest = std::wstring_view(p).substr(4);
    const bool drive =
        rest.size() >= 3 && std::iswalpha(rest[0]) && rest[1] == L':' && rest[2] == L'\\';
    if (!drive && !StartsWith(Upper(rest.substr(0, 4)), L"UNC\\")) return true;
  }
  const std::size_t slash = p.find_last_of(L"\\:");
  return IsReservedBaseName(slash == std::wstring::npos ? std::wstring_view(p)
                                                        : std::wstring_view(p).substr(slash + 1));
}

bool TFileHandle::Valid() const {
  return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE;
}

bool TFileHandle::Close() {
  if (!Valid()) {
    handle_ = nullptr;
    return true;
  }
  const bool ok = ::CloseHandle(handle_) != 0;
  handle_ = nullptr;
  return ok;
}

std::string RegularFileProblem(void *Handle) {
  if (::GetFileType(Handle) != FILE_TYPE_DISK) return "it is not a regular file";
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(Handle, &info)) return LastErrorText();
  if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return "it is a directory";
  return std::string();
}

std::string LastErrorText() {
  return SystemErrorText(::GetLastError());
}
