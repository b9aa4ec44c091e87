#pragma once
// What the Windows back end's file code shares: names checked before they
// are opened, and open handles that close themselves.
#include <optional>
#include <string>
#include <string_view>

/// The UTF-16 name for the UTF-8 Path; nothing when Path is empty, not
/// UTF-8 or holds a NUL.
std::optional<std::wstring> WideFileName(const std::string &Path);

/// True when Path names a device or a pipe rather than a file on a disk:
/// the \\.\ name space ("\\.\pipe\x", "\\.\COM1"), a \\?\ name other than a
/// drive or UNC path, or a reserved name (CON, NUL, COM1, LPT1, CONIN$, ...,
/// with or without an extension) in any folder. Such a name is refused
/// before it is opened: opening a pipe connects to its server.
bool IsDeviceFileName(std::wstring_view Path);

/// An open file handle (a HANDLE, kept as an integer so that this header
/// needs no system header); closed on destruction.
class TFileHandle {
public:
  TFileHandle() = default;
  explicit TFileHandle(void *Handle) : handle_(Handle) {}
  ~TFileHandle() { Close(); }
  TFileHandle(const TFileHandle &) = delete;
  TFileHandle &operator=(const TFileHandle &) = delete;
  void *Get() const { return handle_; }
  bool Valid() const;
  /// Closes the handle held and takes Handle instead.
  void Reset(void *Handle) {
    Close();
    handle_ = Handle;
  }
  /// Closes now; false (with the system's last error) when closing failed.
  bool Close();

private:
  void *handle_ = nullptr;
};

/// Empty when Handle is an ordinary file on a disk, else why it is not
/// ("it is a directory", "it is not a regular file").
std::string RegularFileProblem(void *Handle);

/// The system's text for the calling thread's last error.
std::string LastErrorText();
