#pragma once
// The named single-instance lock: an exclusive flock on a file named after
// the lock in the per-user directory (runtime_dir.h). Taking it is atomic,
// so two starts can never both win, and the kernel drops it when its owner
// ends in any way, so a crashed or killed owner cannot leave it behind. The
// file itself is never removed (removing it would let a later start lock a
// new file while the owner still holds the old one). The owner writes its
// message-window handle into the file so that a later start can find it.
//
// On Windows the lock is the named mutex of that name, which exists while
// any start holds a handle to it: the first start creates it, a later one
// finds it there. The system closes the handles of an owner that ends, so
// it cannot be left behind either. The owner's window handle is kept in a
// small named memory block beside it (the name and ".window"), which goes
// with the owner too.
#include <cstdint>
#include <string>

class TInstanceLock {
public:
  TInstanceLock() = default;
  ~TInstanceLock() { Release(); }
  TInstanceLock(const TInstanceLock &) = delete;
  TInstanceLock &operator=(const TInstanceLock &) = delete;

  enum TResult { lrAcquired, lrBusy, lrFailed };
  /// Takes the lock Name without waiting: lrBusy when another process (or
  /// another lock object) holds it, lrFailed when the per-user directory or
  /// the file cannot be used (Error then says why).
  TResult TryAcquire(const std::string &Name, std::string *Error = nullptr);
  bool Held() const { return fd_ >= 0; }
  /// A non-zero number identifying the held lock (0 when not held).
  std::uint32_t Handle() const { return fd_ >= 0 ? std::uint32_t(fd_) : 0; }
  /// Records the owner's message-window handle in the lock file.
  void SetOwnerWindow(std::uint32_t Window);
  void Release();

  /// The message-window handle the holder of lock Name recorded (0 when
  /// none is recorded yet or the lock file does not exist).
  static std::uint32_t OwnerWindow(const std::string &Name);

private:
  int fd_ = -1; // Windows: the mutex handle (kernel handles are 32-bit significant)
#if defined(_WIN32)
  void *ownerRecord_ = nullptr; // the named memory block holding the owner's window
#endif
};
