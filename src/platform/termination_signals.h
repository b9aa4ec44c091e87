#pragma once
// Ending the program from outside: a desktop session that closes (SIGHUP,
// SIGTERM) or Ctrl+C in a terminal (SIGINT) ends the program the way closing
// its main window does, so forms are destroyed with their OnDestroy handlers
// and the program exits with status 0 instead of being killed mid-way.

/// Installs the handlers. The signal only wakes the event loop; the work is
/// done there: message boxes and a modal window being shown are closed, then
/// the application's Run returns. A SIGHUP that was ignored when the program
/// started (nohup) stays ignored. Call once, after the Qt application object
/// exists.
void EndRunOnTerminationSignals();
