#include "platform/windows/range_keys.h"

#include <algorithm>

namespace {
// Virtual key codes, as the core names keys.
constexpr int KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24;
constexpr int KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28;
} // namespace

std::optional<int> PositionAfterKey(int Key, int Position, int Min, int Max, int Line, int Page,
                                    bool Inverted) {
  long long to = Position;
  const long long sign = Inverted ? -1 : 1;
  switch (Key) {
  case KeyLeft:
    to -= sign * Line;
    break;
  case KeyRight:
    to += sign * Line;
    break;
  case KeyUp:
    to += sign * Line;
    break;
  case KeyDown:
    to -= sign * Line;
    break;
  case KeyPageUp:
    to += sign * Page;
    break;
  case KeyPageDown:
    to -= sign * Page;
    break;
  case KeyHome:
    to = Min;
    break;
  case KeyEnd:
    to = Max;
    break;
  default:
    return std::nullopt;
  }
  return int(std::clamp<long long>(to, Min, Max));
}
