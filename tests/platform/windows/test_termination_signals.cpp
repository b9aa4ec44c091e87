#include "platform/termination_signals.h"

#include "helper_loop_hooks.h"
#include "platform/message_window.h"
#include "platform/windows/console_control.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

namespace {

TEST(WindowsTermination, ConsoleEventsEndTheRunFromTheLoopNotFromTheHandlerThread) {
  EXPECT_FALSE(RequestEndRunForConsoleEvent(CTRL_C_EVENT, 0)); // nothing installed yet
  EndRunOnTerminationSignals();
  EndRunOnTerminationSignals(); // a second call changes nothing
  g_endRunRequests = 0;
  for (DWORD type : {DWORD(CTRL_C_EVENT), DWORD(CTRL_BREAK_EVENT), DWORD(CTRL_CLOSE_EVENT),
                     DWORD(CTRL_LOGOFF_EVENT), DWORD(CTRL_SHUTDOWN_EVENT)}) {
    bool handled = false;
    std::thread handler([&] { handled = RequestEndRunForConsoleEvent(type, 50); });
    handler.join();
    EXPECT_TRUE(handled) << type;
  }
  EXPECT_EQ(g_endRunRequests, 0); // only the loop ends the run
  ProcessWindowMessages(100);
  EXPECT_EQ(g_endRunRequests, 5);
  EXPECT_FALSE(RequestEndRunForConsoleEvent(0x1234, 0)); // not ours: the next handler's
}

} // namespace
