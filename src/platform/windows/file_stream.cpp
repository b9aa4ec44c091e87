// The file stream on Windows: an ordinary file on a disk behind a HANDLE.
#include "platform/streams.h"

#include "platform/windows/file_handle.h"

#include <windows.h>

#include <algorithm>

namespace {
HANDLE H(std::intptr_t Handle) {
  return reinterpret_cast<HANDLE>(Handle);
}
} // namespace

TFileStream::TFileStream(const std::string &FileName, unsigned Mode) : fileName_(FileName) {
  const bool create = (Mode & 0xFF00) == fmCreate;
  DWORD access = GENERIC_READ;
  if (create || (Mode & 3) == fmOpenReadWrite)
    access = GENERIC_READ | GENERIC_WRITE;
  else if ((Mode & 3) == fmOpenWrite)
    access = GENERIC_WRITE;
  const std::string what = create ? "Cannot create file \"" : "Cannot open file \"";
  const auto fail = [&](const std::string &Reason) {
    if (handle_ != -1) ::CloseHandle(H(handle_));
    handle_ = -1;
    const std::string message = what + FileName + "\": " + Reason;
    if (create) throw EFCreateError(message);
    throw EFOpenError(message);
  };
  const std::optional<std::wstring> name = WideFileName(FileName);
  if (!name) fail("the name is not a valid file name");
  // Device and pipe names are refused unopened, and the file is truncated
  // only once it is known to be an ordinary file.
  if (IsDeviceFileName(*name)) fail("it is not a regular file");
  HANDLE h =
      ::CreateFileW(name->c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, create ? OPEN_ALWAYS : OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) fail(LastErrorText());
  handle_ = reinterpret_cast<std::intptr_t>(h);
  if (const std::string problem = RegularFileProblem(h); !problem.empty()) fail(problem);
  if (create && !::SetEndOfFile(h)) fail(LastErrorText());
}

TFileStream::~TFileStream() {
  if (handle_ != -1) ::CloseHandle(H(handle_));
}

std::int64_t TFileStream::Read(void *Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  auto *p = static_cast<char *>(Buffer);
  while (total < Count) {
    DWORD n = 0;
    const DWORD ask = DWORD(std::min<std::int64_t>(Count - total, 0x40000000));
    if (!::ReadFile(H(handle_), p + total, ask, &n, nullptr) || n == 0) break;
    total += n;
  }
  return total;
}

std::int64_t TFileStream::Write(const void *Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  const auto *p = static_cast<const char *>(Buffer);
  while (total < Count) {
    DWORD n = 0;
    const DWORD ask = DWORD(std::min<std::int64_t>(Count - total, 0x40000000));
    if (!::WriteFile(H(handle_), p + total, ask, &n, nullptr) || n == 0) break;
    total += n;
  }
  return total;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const DWORD method = Origin == soBeginning ? FILE_BEGIN
                       : Origin == soCurrent ? FILE_CURRENT
                                             : FILE_END;
  LARGE_INTEGER to{}, now{};
  to.QuadPart = Offset;
  if (::SetFilePointerEx(H(handle_), to, &now, method)) return now.QuadPart;
  to.QuadPart = 0;
  ::SetFilePointerEx(H(handle_), to, &now, FILE_CURRENT);
  return now.QuadPart;
}

std::int64_t TFileStream::Size() const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(H(handle_), &size)) return 0;
  return size.QuadPart;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  const std::int64_t keep = Position();
  LARGE_INTEGER to{};
  to.QuadPart = std::max<std::int64_t>(0, NewSize);
  if (!::SetFilePointerEx(H(handle_), to, nullptr, FILE_BEGIN) || !::SetEndOfFile(H(handle_)))
    throw EWriteError("Cannot resize file \"" + fileName_ + "\": " + LastErrorText());
  Seek(std::min(keep, to.QuadPart), soBeginning);
}
