// The Windows back end has no text device yet: a canvas without a surface
// measures text as empty and draws nothing.
#include "platform/canvas_device.h"

std::unique_ptr<TCanvasDevice> NewCanvasDevice() {
  return nullptr;
}
