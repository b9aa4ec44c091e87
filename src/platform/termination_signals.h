#pragma once
// Ending the program from outside: a desktop session that closes (SIGHUP,
// SIGTERM on Linux; log-off or shut-down on Windows), a console that closes
// or Ctrl+C in a terminal (SIGINT) ends the program the way closing
// its main window does, so forms are destroyed with their OnDestroy handlers
// and the program exits with status 0 instead of being killed mid-way.

/// Installs the handlers. The signal only wakes the event loop; the work is
/// done there (EndRunFromOutside): message boxes and a modal window being
/// shown are closed, then the application's Run returns. A SIGHUP that was ignored when the program
/// started (nohup) stays ignored. Call once, after the application object
/// exists.
void EndRunOnTerminationSignals();

/// What a termination request does, called from the event loop: closes
/// message boxes and modal forms, then has the application's Run return.
/// A Windows program's main window calls it on WM_ENDSESSION as well.
void EndRunFromOutside();
