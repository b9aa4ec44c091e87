#pragma once
// Platform-internal: Windows icon handles for the suite's icons, for the
// title bar and the task bar.
#include "platform/icon.h"

struct HICON__;

/// A new icon handle of Size x Size pixels showing Icon scaled to fit
/// (transparency kept); the caller destroys it with DestroyIcon. Null for an
/// empty icon, a size below 1, or when the system refuses.
HICON__ *NewIconHandle(const TIcon &Icon, int Size);
