#include "platform/windows/message_loop.h"

#include "platform/windows/control_window.h"

void DispatchLoopMessage(MSG &Message) {
  bool done = false;
  GuardWindowProcedure([&] { done = TranslateShortcut(Message); });
  if (done) return;
  TranslateMessage(&Message);
  DispatchMessageW(&Message);
}

void TMessageLoop::Run() {
  MSG message;
  while (!quit_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // WM_QUIT ends this loop and every loop outside it.
      PostQuitMessage(int(message.wParam));
      quit_ = true;
      break;
    }
    if (got == -1) break;
    DispatchLoopMessage(message);
  }
}

void TMessageLoop::Quit() {
  quit_ = true;
  // Wakes GetMessageW in Run.
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}
