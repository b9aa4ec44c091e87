#pragma once
// Platform-internal: how the keys move a scroll bar or track bar with the
// keyboard, the same on every system the suite runs on: Left and Down step
// towards the minimum, Right and Up towards the maximum, Page Up and Page
// Down by the page, Home and End to the ends. Inverted controls (vertical
// bars, which grow downwards) swap Up/Down and Page Up/Page Down.
#include <optional>

/// The position after the virtual key Key, clamped to Min .. Max; nothing
/// for a key that does not move the control.
std::optional<int> PositionAfterKey(int Key, int Position, int Min, int Max, int Line, int Page,
                                    bool Inverted);
