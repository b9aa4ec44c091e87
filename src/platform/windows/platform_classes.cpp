// Registration of the Windows back end's classes. Pictures and controls
// arrive with the Windows window; until then the core's classes are all
// there is to register.
#include "platform/property_registry.h"

void RegisterPlatformClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterCoreClasses();
}
