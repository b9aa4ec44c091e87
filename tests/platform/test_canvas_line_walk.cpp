// The line walk against the rounding rule it must keep: step i of a line from
// A to B colours the point A + round(i * (B - A) / steps) (halves rounded up)
// for i = 0 ... steps - 1, clipped. Lines of every slope and direction, far
// off-surface end points, clips, dash phases and XOR are compared pixel by
// pixel with a direct evaluation of that rule.
#include "helper_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

namespace {

__extension__ using i128 = __int128;

std::int64_t RoundedStep(std::int64_t i, std::int64_t d, std::int64_t steps) {
  const i128 num = 2 * i128(i) * d + steps, den = 2 * i128(steps);
  i128 q = num / den;
  if (num % den != 0 && num < 0) --q;
  return std::int64_t(q);
}

// Draws the line by the rule onto Expected (XOR in colour Color) within Clip;
// Dotted leaves out the gaps of the 3-on 3-off pattern.
void RuleLine(TBitmap &Expected, TPoint A, TPoint B, const TRect &Clip, TColor Color, bool Dotted,
              bool Xor) {
  const std::int64_t dx = std::int64_t(B.X) - A.X, dy = std::int64_t(B.Y) - A.Y;
  const std::int64_t steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
  for (std::int64_t i = 0; i < steps; ++i) {
    const std::int64_t x = A.X + RoundedStep(i, dx, steps), y = A.Y + RoundedStep(i, dy, steps);
    if (x < Clip.Left || x >= Clip.Right || y < Clip.Top || y >= Clip.Bottom) continue;
    if (Dotted && (i % 6) >= 3) continue;
    const TColor old = Expected.Pixel(int(x), int(y));
    Expected.Canvas().SetPixels(int(x), int(y), Xor ? (old ^ Color) & 0xFFFFFF : Color);
  }
}

TEST(CanvasLineWalk, EverySlopeDirectionAndClipFollowsTheRoundingRule) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> near(-20, 90), pick(0, 9);
  std::uniform_int_distribution<int> far(-300000, 300000);
  for (int round = 0; round < 400; ++round) {
    TBitmap drawn(64, 48), expected(64, 48);
    TCanvas &c = drawn.Canvas();
    const bool xorMode = round % 3 == 1, dotted = round % 5 == 2;
    const TRect clip = round % 4 == 0 ? Rect(5, 7, 50, 40) : Rect(0, 0, 64, 48);
    if (round % 4 == 0) c.SetClipRect(clip);
    c.Pen().SetColor(clRed);
    c.Pen().SetMode(xorMode ? pmXor : pmCopy);
    c.Pen().SetStyle(dotted ? psDot : psSolid);
    c.Brush().SetStyle(bsClear); // gaps of styled pens stay untouched
    for (int k = 0; k < 6; ++k) {
      auto coord = [&] { return pick(rng) == 0 ? far(rng) : near(rng); };
      TPoint a{coord(), coord()}, b{coord(), coord()};
      if (pick(rng) < 3) b.Y = a.Y; // horizontal and vertical spans
      if (pick(rng) < 2) b.X = a.X;
      c.MoveTo(a.X, a.Y);
      c.LineTo(b.X, b.Y);
      RuleLine(expected, a, b, clip, clRed, dotted, xorMode);
    }
    ASSERT_EQ(CountDifferent(drawn, expected), 0) << "round " << round;
  }
}

} // namespace
