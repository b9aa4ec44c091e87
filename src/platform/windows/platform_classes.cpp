// Registration of the Windows back end's classes: the core's, then
// pictures, icons and controls. Every registry lookup runs this once first.
#include "platform/property_registry.h"

void RegisterPlatformClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterCoreClasses();
  RegisterControlClasses();
}
