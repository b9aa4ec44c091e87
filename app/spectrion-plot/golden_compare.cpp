// Compares a freshly drawn picture with its golden picture. Text is drawn
// with the machine's fonts, so a few pixels may differ; the curves, axes and
// fills must not.
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s NEW.png GOLDEN.png [ALLOWED_PERCENT]\n", argv[0]);
    return 2;
  }
  const QImage fresh = QImage(argv[1]).convertToFormat(QImage::Format_RGB32);
  const QImage golden = QImage(argv[2]).convertToFormat(QImage::Format_RGB32);
  const double allowed = argc == 4 ? std::atof(argv[3]) : 0.05;
  if (fresh.isNull() || golden.isNull()) {
    std::fprintf(stderr, "cannot read %s\n", fresh.isNull() ? argv[1] : argv[2]);
    return 1;
  }
  if (fresh.size() != golden.size()) {
    std::fprintf(stderr, "size %dx%d differs from the golden %dx%d\n", fresh.width(),
                 fresh.height(), golden.width(), golden.height());
    return 1;
  }
  // A pixel counts as different when a channel is off by more than a
  // quarter of its range: anti-aliasing shades stay below that.
  constexpr int kChannelTolerance = 64;
  long differing = 0;
  for (int y = 0; y < fresh.height(); ++y) {
    const QRgb *a = reinterpret_cast<const QRgb *>(fresh.constScanLine(y));
    const QRgb *b = reinterpret_cast<const QRgb *>(golden.constScanLine(y));
    for (int x = 0; x < fresh.width(); ++x) {
      if (std::abs(qRed(a[x]) - qRed(b[x])) > kChannelTolerance ||
          std::abs(qGreen(a[x]) - qGreen(b[x])) > kChannelTolerance ||
          std::abs(qBlue(a[x]) - qBlue(b[x])) > kChannelTolerance)
        ++differing;
    }
  }
  const double percent = 100.0 * double(differing) / (double(fresh.width()) * fresh.height());
  std::printf("%ld pixels (%.3f %%) differ from %s\n", differing, percent, argv[2]);
  return percent <= allowed ? 0 : 1;
}
