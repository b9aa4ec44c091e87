// Atomic file replacement on Windows: the new bytes go to a temporary file
// beside the target, are flushed to disk, and the temporary takes the
// target's place with ReplaceFileW (which keeps the target's attributes and
// security) or, for a new file, MoveFileExW with write-through. Writers of
// one target are serialised by a named mutex derived from its full name.
#include "platform/atomic_file.h"

#include "platform/windows/file_handle.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

using atomic_file_testing::TStep;

TStep g_failStep = atomic_file_testing::stNone;
DWORD g_failCode = 0;

// True (with the last error set) when a test asked this step to fail.
bool Injected(TStep Step) {
  if (g_failStep != Step || Step == atomic_file_testing::stNone) return false;
  ::SetLastError(g_failCode);
  return true;
}

constexpr std::size_t kNameMax = 255;

std::size_t LastSeparator(const std::string &Path) {
  return Path.find_last_of("/\\");
}

[[noreturn]] void Fail(const std::string &Target, const std::string &Reason) {
  throw EFileWriteError("Cannot write file \"" + Target + "\": " + Reason);
}
[[noreturn]] void FailLastError(const std::string &Target) {
  Fail(Target, LastErrorText());
}

// Holds the writers' mutex of one target for its lifetime. The mutex is
// named after the target's full, upper-cased name, so every way of
// spelling the name meets the same one; a writer that died holding it
// leaves it abandoned, which the next writer simply takes over.
class TWriterLock {
public:
  TWriterLock(const std::wstring &Target, const std::string &Path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = ::GetFullPathNameW(Target.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
      full.resize(n);
      n = ::GetFullPathNameW(Target.c_str(), DWORD(full.size()), full.data(), nullptr);
    }
    if (n == 0) FailLastError(Path);
    full.resize(n);
    ::CharUpperBuffW(full.data(), DWORD(full.size()));
    std::uint64_t h = 14695981039346656037ull;
    for (wchar_t c : full)
      h = (h ^ std::uint16_t(c)) * 1099511628211ull;
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\SpectrionAtomicWrite-%016llx",
                  static_cast<unsigned long long>(h));
    mutex_ = ::CreateMutexW(nullptr, FALSE, name);
    if (!mutex_) FailLastError(Path);
    const DWORD wait = ::WaitForSingleObject(mutex_, INFINITE);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
      ::CloseHandle(mutex_);
      FailLastError(Path);
    }
  }
  ~TWriterLock() {
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
  }
  TWriterLock(const TWriterLock &) = delete;
  TWriterLock &operator=(const TWriterLock &) = delete;

private:
  HANDLE mutex_ = nullptr;
};

bool WriteAll(HANDLE File, std::string_view Bytes, bool Injectable) {
  std::size_t done = 0;
  while (done < Bytes.size()) {
    if (Injectable && Injected(atomic_file_testing::stWrite)) return false;
    const DWORD ask = DWORD(std::min<std::size_t>(Bytes.size() - done, 0x40000000));
    DWORD n = 0;
    if (!::WriteFile(File, Bytes.data() + done, ask, &n, nullptr)) return false;
    if (n == 0) {
      ::SetLastError(ERROR_DISK_FULL);
      return false;
    }
    done += n;
  }
  return true;
}

} // namespace

namespace atomic_file_testing {
void FailAt(TStep Step, int Errno) {
  g_failStep = Step;
  g_failCode = DWORD(Errno);
}
} // namespace atomic_file_testing

std::string AtomicTemporaryName(const std::string &Path) {
  const std::size_t sep = LastSeparator(Path);
  const std::string base = sep == std::string::npos ? Path : Path.substr(sep + 1);
  const std::string dir = sep == std::string::npos ? std::string() : Path.substr(0, sep + 1);
  // Built by appending: GCC 12 warns wrongly about the chained operator+.
  std::string name(1, '.');
  name.append(base).append(".tmp");
  if (name.size() > kNameMax) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : base)
      h = (h ^ c) * 1099511628211ull;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(h));
    std::size_t keep = kNameMax - (1 + 1 + 16 + 4);
    while (keep > 0 && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80)
      --keep;
    name.assign(1, '.');
    name.append(base, 0, keep).append(1, '~').append(hash).append(".tmp");
  }
  return std::string(dir).append(name);
}

void WriteFileAtomic(const std::string &Path, std::string_view Bytes) {
  if (Path.empty()) Fail(Path, "no file name given");
  const std::optional<std::wstring> target = WideFileName(Path);
  if (!target) Fail(Path, "the name is not a valid file name");
  if (IsDeviceFileName(*target)) Fail(Path, "it is not a regular file");
  const DWORD attributes = ::GetFileAttributesW(target->c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) Fail(Path, "it is not a regular file");
  if (!exists) {
    const DWORD e = ::GetLastError();
    if (e != ERROR_FILE_NOT_FOUND) FailLastError(Path);
  }

  const std::wstring temp = *StrictWideFromUtf8(AtomicTemporaryName(Path));
  TWriterLock lock(*target, Path);
  TFileHandle file;
  auto abandon = [&] {
    const DWORD e = ::GetLastError();
    file.Close();
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(temp.c_str());
    Fail(Path, SystemErrorText(e));
  };
  if (!Injected(atomic_file_testing::stOpen)) {
    // A temporary left by a crash is overwritten; the hidden attribute keeps
    // it out of ordinary listings until it is renamed.
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    file.Reset(::CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_HIDDEN, nullptr));
  }
  if (!file.Valid()) abandon();
  if (!WriteAll(file.Get(), Bytes, true)) abandon();
  if (Injected(atomic_file_testing::stSync) || !::FlushFileBuffers(file.Get())) abandon();
  if (!file.Close() || Injected(atomic_file_testing::stClose)) abandon();
  if (!::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL)) abandon();
  if (Injected(atomic_file_testing::stRename)) abandon();
  bool replaced = false;
  if (exists)
    replaced = ::ReplaceFileW(target->c_str(), temp.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
  // A new target, or one ReplaceFileW cannot take over (another volume's
  // link, a file system without its support): a write-through rename.
  if (!replaced && !::MoveFileExW(temp.c_str(), target->c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    abandon();
}

void WriteStreamAtomic(const std::string &Path, TStream &Stream) {
  Stream.SetPosition(0);
  std::string bytes(std::size_t(std::max<std::int64_t>(Stream.Size(), 0)), '\0');
  Stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
  WriteFileAtomic(Path, bytes);
}

void WriteStandardOutput(std::string_view Bytes) {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE)
    throw EFileWriteError("Cannot write to standard output: there is none");
  if (!WriteAll(out, Bytes, false))
    throw EFileWriteError("Cannot write to standard output: " + LastErrorText());
}
