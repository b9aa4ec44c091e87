// Bounded reading of outside files on Windows. Device and pipe names are
// refused before anything is opened; what is opened must be an ordinary
// file on a disk of at most the cap.
#include "platform/file_input.h"

#include "platform/windows/file_handle.h"

#include <windows.h>

namespace {

template <class Buffer>
void ReadInto(const std::string &FileName, std::int64_t MaxBytes, Buffer &bytes) {
  const auto fail = [&](const std::string &Reason) -> void {
    throw EFOpenError("Cannot open file \"" + FileName + "\": " + Reason);
  };
  const std::optional<std::wstring> name = WideFileName(FileName);
  if (!name) fail("the name is not a valid file name");
  if (IsDeviceFileName(*name)) fail("it is not a regular file");
  TFileHandle file(::CreateFileW(
      name->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.Valid()) fail(LastErrorText());
  if (const std::string problem = RegularFileProblem(file.Get()); !problem.empty()) fail(problem);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) fail(LastErrorText());
  const auto tooLarge = [&] { fail("it is larger than " + std::to_string(MaxBytes) + " bytes"); };
  if (size.QuadPart > MaxBytes) tooLarge();
  // Read into a buffer of the file's size; whatever it grew by meanwhile
  // comes through a small one, and the cap holds for what is read.
  bytes.assign(std::size_t(size.QuadPart), '\0');
  std::size_t have = 0;
  char more[65536];
  for (;;) {
    const bool full = have == bytes.size();
    char *into = full ? more : bytes.data() + have;
    const std::size_t room = full ? sizeof more : bytes.size() - have;
    DWORD n = 0;
    const DWORD ask = room > 0x40000000 ? 0x40000000 : DWORD(room);
    if (!::ReadFile(file.Get(), into, ask, &n, nullptr)) fail(LastErrorText());
    if (n == 0) break;
    if (std::int64_t(have) + n > MaxBytes) tooLarge();
    if (full) bytes.insert(bytes.end(), more, more + n);
    have += n;
  }
  bytes.resize(have);
}

} // namespace

std::string ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes) {
  std::string bytes;
  ReadInto(FileName, MaxBytes, bytes);
  return bytes;
}

void ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes, std::vector<char> &Bytes) {
  ReadInto(FileName, MaxBytes, Bytes);
}
