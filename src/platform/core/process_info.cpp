#include "platform/process_info.h"

TCommandLine CurrentCommandLine() {
  return TCommandLine{ProgramPath(), CommandLineArguments()};
}
