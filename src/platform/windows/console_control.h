#pragma once
// The console's end-the-program events on Windows (Ctrl+C, Ctrl+Break, the
// console closing, log-off, shut-down) as the termination handler receives
// them. The handler runs on a thread of its own; it only posts a request
// to the thread that installed it, whose event loop then ends the run.
// The WM_QUERYENDSESSION / WM_ENDSESSION messages a GUI program's main
// window gets at log-off call EndRunFromOutside themselves.
#include <cstdint>

/// What the handler does for the console event Type (a CTRL_*_EVENT):
/// posts the end-the-run request and returns whether the event is handled.
/// For the console closing, log-off and shut-down, after which the system
/// ends the process when the handler returns, it waits up to WaitMs for the
/// program to finish first.
bool RequestEndRunForConsoleEvent(std::uint32_t Type, int WaitMs);
