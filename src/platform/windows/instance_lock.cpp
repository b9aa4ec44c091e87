#include "platform/instance_lock.h"

#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"

#include <windows.h>

#include <cstring>

namespace {

// Kernel object names may not hold a backslash (it separates namespaces).
std::optional<std::wstring> ObjectName(const std::string &Name, std::string *Error) {
  std::optional<std::wstring> wide = StrictWideFromUtf8(Name);
  if (Name.empty() || Name.find('\\') != std::string::npos || !wide) {
    if (Error) *Error = "invalid lock name \"" + Name + "\"";
    return std::nullopt;
  }
  return wide;
}

std::wstring OwnerRecordName(const std::wstring &LockName) {
  return LockName + L".window";
}

HANDLE AsHandle(int Value) {
  return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(Value));
}

} // namespace

TInstanceLock::TResult TInstanceLock::TryAcquire(const std::string &Name, std::string *Error) {
  Release(); // a lock object holds one lock at a time
  const std::optional<std::wstring> name = ObjectName(Name, Error);
  if (!name) return lrFailed;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name->c_str());
  if (!mutex) {
    // Access denied: another user's program holds the name; not ours to share.
    const DWORD error = GetLastError();
    if (Error) *Error = "lock \"" + Name + "\": " + SystemErrorText(error);
    return lrFailed;
  }
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return lrBusy;
  }
  HANDLE record = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(std::uint32_t), OwnerRecordName(*name).c_str());
  if (!record) {
    const DWORD error = GetLastError();
    CloseHandle(mutex);
    if (Error) *Error = "lock \"" + Name + "\": " + SystemErrorText(error);
    return lrFailed;
  }
  fd_ = static_cast<int>(reinterpret_cast<LONG_PTR>(mutex));
  ownerRecord_ = record;
  SetOwnerWindow(0); // a record left by an owner that just ended is not ours
  return lrAcquired;
}

void TInstanceLock::SetOwnerWindow(std::uint32_t Window) {
  if (!ownerRecord_) return;
  void *view = MapViewOfFile(ownerRecord_, FILE_MAP_WRITE, 0, 0, sizeof Window);
  if (!view) return;
  std::memcpy(view, &Window, sizeof Window);
  UnmapViewOfFile(view);
}

void TInstanceLock::Release() {
  if (ownerRecord_) CloseHandle(ownerRecord_);
  ownerRecord_ = nullptr;
  if (fd_ >= 0) CloseHandle(AsHandle(fd_));
  fd_ = -1;
}

std::uint32_t TInstanceLock::OwnerWindow(const std::string &Name) {
  const std::optional<std::wstring> name = ObjectName(Name, nullptr);
  if (!name) return 0;
  HANDLE record = OpenFileMappingW(FILE_MAP_READ, FALSE, OwnerRecordName(*name).c_str());
  if (!record) return 0;
  std::uint32_t window = 0;
  if (const void *view = MapViewOfFile(record, FILE_MAP_READ, 0, 0, sizeof window)) {
    std::memcpy(&window, view, sizeof window);
    UnmapViewOfFile(view);
  }
  CloseHandle(record);
  return window;
}
