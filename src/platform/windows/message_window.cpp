// Message windows on Windows: hidden top-level windows of the class and
// title asked for, receiving WM_COPYDATA. A send is SendMessageTimeoutW,
// which handles messages sent to this thread's windows while it waits.
#include "platform/message_window.h"

#include "platform/message_frame.h"
#include "platform/windows/loop_error.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"
#include "platform/windows/window_handle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <mutex>
#include <vector>

namespace {

int g_sendTimeoutMs = 5000;
// Posted to a window to show the handler error it holds, after the sender
// was answered.
constexpr UINT kShowHandlerError = WM_APP + 0x51;

// Copy-data messages handled by this process; ProcessWindowMessages watches it.
LONG g_delivered = 0;

struct TWindowList {
  std::mutex Lock;
  std::vector<TMessageWindow::Impl *> Windows;
};

TWindowList &Windows() {
  static TWindowList *list = new TWindowList; // outlives every window
  return *list;
}

// While one handler error waits or is shown, later ones go to standard error.
bool g_errorShowing = false;

} // namespace

struct TMessageWindow::Impl {
  TMessageWindow *Owner = nullptr;
  HWND Window = nullptr;
  std::exception_ptr PendingError;
};

namespace {

void ReportToStandardError(const std::exception_ptr &Error) {
  try {
    std::rethrow_exception(Error);
  } catch (const std::exception &e) {
    std::fprintf(stderr, "message window: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "message window: unknown error\n");
  }
}

void ShowPending(TMessageWindow::Impl *W) {
  std::exception_ptr error = std::move(W->PendingError);
  W->PendingError = nullptr;
  if (!error) return;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception &e) {
    ShowLoopError(e);
  } catch (...) {
  }
  g_errorShowing = false;
}

LRESULT Deliver(TMessageWindow::Impl *W, HWND Sender, const COPYDATASTRUCT &Data) {
  if (Data.cbData > MaxCopyDataBlock || (Data.cbData > 0 && !Data.lpData)) return FALSE;
  const std::string block(static_cast<const char *>(Data.lpData), Data.cbData);
  InterlockedIncrement(&g_delivered);
  if (!W->Owner->OnCopyData) return TRUE;
  const TCopyDataEvent handler = W->Owner->OnCopyData;
  try {
    handler(HandleOfWindow(Sender), static_cast<std::int32_t>(Data.dwData), block);
  } catch (...) {
    // The sender is let go first; the error is shown from the loop later,
    // never while the sender waits or from inside the window procedure.
    ReplyMessage(TRUE);
    if (g_errorShowing || !PostMessageW(W->Window, kShowHandlerError, 0, 0)) {
      ReportToStandardError(std::current_exception());
    } else {
      g_errorShowing = true;
      W->PendingError = std::current_exception();
    }
  }
  return TRUE;
}

LRESULT CALLBACK MessageWindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  auto *w = reinterpret_cast<TMessageWindow::Impl *>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (w) {
    if (Message == WM_COPYDATA && LParam)
      return Deliver(w, reinterpret_cast<HWND>(WParam),
                     *reinterpret_cast<const COPYDATASTRUCT *>(LParam));
    if (Message == kShowHandlerError) {
      ShowPending(w);
      return 0;
    }
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

// Registers the window class Name for this module once; a class of that name
// registered before (by us or by the module) is used as it is.
bool EnsureClass(const std::wstring &Name, std::string &Error) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), Name.c_str(), &existing)) {
    if (existing.lpfnWndProc == MessageWindowProc) return true;
    Error = "the window class is registered for other windows";
    return false;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MessageWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = Name.c_str();
  if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) return true;
  Error = SystemErrorText(GetLastError());
  return false;
}

} // namespace

TMessageWindow::TMessageWindow(const std::string &ClassName, const std::string &Title)
    : impl_(std::make_unique<Impl>()) {
  impl_->Owner = this;
  className_ = ClassName;
  title_ = Title;
  const std::optional<std::wstring> className = StrictWideFromUtf8(ClassName);
  const std::optional<std::wstring> title = StrictWideFromUtf8(Title);
  if (!className || className->empty() || !title)
    throw EMessageWindowError("invalid window class name or title: \"" + ClassName + "\", \"" +
                              Title + "\"");
  std::string why;
  if (!EnsureClass(*className, why))
    throw EMessageWindowError("window class \"" + ClassName + "\": " + why);
  // A top-level window (message-only windows cannot be found by name), never shown.
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className->c_str(), title->c_str(), WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window)
    throw EMessageWindowError("window \"" + ClassName + "\": " + SystemErrorText(GetLastError()));
  impl_->Window = window;
  handle_ = HandleOfWindow(window);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl_.get()));
  TWindowList &list = Windows();
  std::lock_guard<std::mutex> guard(list.Lock);
  list.Windows.push_back(impl_.get());
}

TMessageWindow::~TMessageWindow() {
  {
    TWindowList &list = Windows();
    std::lock_guard<std::mutex> guard(list.Lock);
    list.Windows.erase(std::remove(list.Windows.begin(), list.Windows.end(), impl_.get()),
                       list.Windows.end());
  }
  SetWindowLongPtrW(impl_->Window, GWLP_USERDATA, 0);
  DestroyWindow(impl_->Window);
  if (impl_->PendingError) {
    // The window goes before the loop showed its error: not lost, but told.
    ReportToStandardError(impl_->PendingError);
    g_errorShowing = false;
  }
}

void TMessageWindow::SetTrustedUid(unsigned) {}

bool TMessageWindow::SendCopyData(TMessageWindowHandle Target, std::int32_t Code,
                                  const std::string &Block) {
  if (Target == 0 || Block.size() > MaxCopyDataBlock) return false;
  HWND target = WindowFromHandle(Target);
  if (!IsWindow(target)) return false;
  COPYDATASTRUCT data{};
  data.dwData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(Code));
  data.cbData = static_cast<DWORD>(Block.size());
  data.lpData = Block.empty() ? nullptr : const_cast<char *>(Block.data());
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(impl_->Window),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             static_cast<UINT>(g_sendTimeoutMs), &result) != 0;
}

bool SameWindowName(const std::string &A, const std::string &B) {
  if (A == B) return true;
  const std::wstring a = WideFromUtf8(A);
  const std::wstring b = WideFromUtf8(B);
  return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
         CSTR_EQUAL;
}

TMessageWindowHandle FindMessageWindow(const std::string &ClassName, const std::string &Title) {
  {
    TWindowList &list = Windows();
    std::lock_guard<std::mutex> guard(list.Lock);
    for (auto *w : list.Windows)
      if (SameWindowName(w->Owner->ClassName(), ClassName) &&
          SameWindowName(w->Owner->Title(), Title))
        return w->Owner->Handle();
  }
  const std::optional<std::wstring> className = StrictWideFromUtf8(ClassName);
  const std::optional<std::wstring> title = StrictWideFromUtf8(Title);
  if (!className || className->empty() || !title) return 0;
  // Top-level windows only, names compared by the system without regard to case.
  return HandleOfWindow(FindWindowExW(nullptr, nullptr, className->c_str(), title->c_str()));
}

bool IsMessageWindow(TMessageWindowHandle Handle) {
  return Handle != 0 && IsWindow(WindowFromHandle(Handle));
}

bool SendRawFrameBytes(TMessageWindowHandle, const std::string &, int) {
  return false; // a copy-data message has no byte stream to cut short
}

int MessageSendTimeout() {
  return g_sendTimeoutMs;
}

void SetMessageSendTimeout(int Milliseconds) {
  g_sendTimeoutMs = std::max(1, Milliseconds);
}

bool ProcessWindowMessages(int Milliseconds) {
  const LONG before = g_delivered;
  const ULONGLONG deadline = GetTickCount64() + ULONGLONG(std::max(0, Milliseconds));
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (g_delivered != before) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(deadline - now), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}
