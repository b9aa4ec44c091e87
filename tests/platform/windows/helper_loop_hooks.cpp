// What the event loop would do with handler errors and termination
// requests, recorded for the tests (test programs have no application).
#include "helper_loop_hooks.h"

#include "platform/termination_signals.h"
#include "platform/windows/loop_error.h"

std::vector<std::string> g_shownLoopErrors;
int g_endRunRequests = 0;

void ShowLoopError(const std::exception &Error) {
  g_shownLoopErrors.push_back(Error.what());
}

void EndRunFromOutside() {
  ++g_endRunRequests;
}
