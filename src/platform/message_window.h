#pragma once
// Top-level message windows: hidden windows that programs of the e-book
// family find by class name and title and send copy-data messages to. On
// Linux a window is a Unix-domain socket in the per-user directory
// (runtime_dir.h) named after its 32-bit handle, with a small description
// file beside it naming the owning process, the class name and the title.
//
// A send is synchronous: it returns after the receiver handled the message.
// While it waits, messages sent to this program's own windows (a reply sent
// back while the request is being handled) are received and handled, as a
// window system delivers nested sent messages to a waiting sender. Between
// sends the windows are served by the Qt event loop.
//
// Safety: only peers of the same user are served (checked with the socket's
// peer credentials before anything is read); a send gives up after a bounded
// time without progress of its own; a frame above MaxCopyDataBlock is
// refused unread; at most 64 connections are held at once, those being
// handled included; an error a handler raises for a malformed message is
// shown after the peer was answered and let go, one at a time; every
// descriptor is close-on-exec and no write raises SIGPIPE.
//
// On Windows a window is a real hidden top-level window of that class and
// title, found with the system's window lookup; a message is WM_COPYDATA
// (the data word is the code, the same block as on Linux), sent with
// SendMessageTimeoutW so that a hung or vanished receiver costs at most
// MessageSendTimeout(). The handle is the window handle cut to 32 bits,
// which Windows guarantees to be significant. There is no peer user to
// check: windows of one desktop serve each other, so SetTrustedUid does
// nothing there, and SendRawFrameBytes, having no byte stream to write
// into, sends nothing.
#include "platform/exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

/// 32-bit handle of a message window; 0 names no window.
using TMessageWindowHandle = std::uint32_t;

/// A received copy-data message: the sending window, the data word (the
/// message code) and the block.
using TCopyDataEvent =
    std::function<void(TMessageWindowHandle Sender, std::int32_t Code, const std::string &Block)>;

/// A message window could not be created.
class EMessageWindowError : public Exception {
public:
  using Exception::Exception;
};

/// A hidden top-level window that receives copy-data messages.
class TMessageWindow {
public:
  /// Creates the window; raises EMessageWindowError with the reason when the
  /// per-user directory is unusable or the socket cannot be set up.
  TMessageWindow(const std::string &ClassName, const std::string &Title);
  ~TMessageWindow();
  TMessageWindow(const TMessageWindow &) = delete;
  TMessageWindow &operator=(const TMessageWindow &) = delete;

  TMessageWindowHandle Handle() const { return handle_; }
  const std::string &ClassName() const { return className_; }
  const std::string &Title() const { return title_; }

  /// The window procedure for copy-data messages. An exception it raises is
  /// shown like any error reaching the event loop, from the event loop once
  /// the sender was answered; while one such error waits or is shown, later
  /// ones go to standard error only.
  TCopyDataEvent OnCopyData;

  /// Sends a copy-data message from this window to Target and waits until
  /// the receiver handled it. Returns false when nothing was delivered: no
  /// such window (or 0), a peer of another user, a block above
  /// MaxCopyDataBlock, or none of this send's bytes moving within
  /// MessageSendTimeout().
  bool SendCopyData(TMessageWindowHandle Target, std::int32_t Code, const std::string &Block);

  /// Test seam: the user id whose peers this window serves and sends to
  /// (default: the process's effective user id; nothing on Windows).
  void SetTrustedUid(unsigned Uid);

  struct Impl;

private:
  TMessageWindowHandle handle_ = 0;
  std::string className_;
  std::string title_;
  std::unique_ptr<Impl> impl_;
};

/// The first live window with this class name and title, compared without
/// regard to letter case, or 0.
/// Description files of windows whose process has gone are removed on the way.
TMessageWindowHandle FindMessageWindow(const std::string &ClassName, const std::string &Title);
/// Whether two class names or titles name the same window: equal without
/// regard to letter case, as the system's window lookup compares them.
bool SameWindowName(const std::string &A, const std::string &B);
/// Whether Handle names an existing window (of this or another process).
bool IsMessageWindow(TMessageWindowHandle Handle);

/// For developer tools that play a misbehaving peer: connects to Target,
/// writes Bytes as they are (for example a frame cut short or announcing
/// an oversize block) and closes without waiting. Returns whether all of
/// Bytes were written. With PauseMs the bytes go one at a time, PauseMs
/// apart (a peer trickling its frame).
bool SendRawFrameBytes(TMessageWindowHandle Target, const std::string &Bytes, int PauseMs = 0);

/// Milliseconds a send may go without progress of its own before it gives up
/// (default 5000); connecting takes at most min(1000, this) of it.
int MessageSendTimeout();
void SetMessageSendTimeout(int Milliseconds);

/// Receives and handles messages for this process's windows for up to
/// Milliseconds (0: only what is waiting now); for programs and tests that
/// do not run the Qt event loop. Returns whether anything arrived.
bool ProcessWindowMessages(int Milliseconds);
