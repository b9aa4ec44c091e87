#pragma once
// Platform-internal: a TIcon as the system's icon handle, for window and
// application icons.
#include "platform/windows/system.h"

class TIcon;

/// A new icon handle (the caller destroys it) of Icon at Size x Size pixels;
/// null when Icon is empty.
HICON NewIconHandle(const TIcon &Icon, int Size);
