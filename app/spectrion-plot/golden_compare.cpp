// Compares a freshly drawn picture with its golden picture. Text is drawn
// with the machine's fonts, so a few pixels may differ; the curves, axes and
// fills must not.
#include "platform/bitmap.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s NEW.png GOLDEN.png [ALLOWED_PERCENT]\n", argv[0]);
    return 2;
  }
  const double allowed = argc == 4 ? std::atof(argv[3]) : 0.05;
  TBitmap fresh, golden;
  try {
    fresh.LoadFromFile(argv[1]);
    golden.LoadFromFile(argv[2]);
  } catch (const Exception &e) {
    std::fprintf(stderr, "%s\n", e.Message().c_str());
    return 1;
  }
  if (fresh.Width() != golden.Width() || fresh.Height() != golden.Height()) {
    std::fprintf(stderr, "size %dx%d differs from the golden %dx%d\n", fresh.Width(),
                 fresh.Height(), golden.Width(), golden.Height());
    return 1;
  }
  // A pixel counts as different when a channel is off by more than a
  // quarter of its range: anti-aliasing shades stay below that.
  constexpr int kChannelTolerance = 64;
  const double percent = 100.0 * DifferingPixelShare(fresh, golden, kChannelTolerance);
  std::printf("%.3f %% of the pixels differ from %s\n", percent, argv[2]);
  return percent <= allowed ? 0 : 1;
}
