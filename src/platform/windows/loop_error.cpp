#include "platform/windows/loop_error.h"

#include "platform/application.h"

void ShowLoopError(const std::exception &Error) {
  Application->HandleException(Error);
}
