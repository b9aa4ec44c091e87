#pragma once
// Platform-internal: the message loops. TMessageLoop is a running loop (the
// application's main loop or a modal form's nested one); every loop hands a
// message to the window shortcuts before it is translated and dispatched.
#include "platform/windows/system.h"

/// A (nested) message loop; Run returns after Quit or a WM_QUIT, which it
/// passes on to the loops outside it.
struct TMessageLoop {
  void Run();
  void Quit();
  bool Quitting() const { return quit_; }

private:
  bool quit_ = false;
};

/// Handles one message as every loop does: shortcuts first, then translation
/// and dispatch.
void DispatchLoopMessage(MSG &Message);
/// Runs a window shortcut bound to the key Message presses; true when it did.
bool TranslateShortcut(const MSG &Message);
