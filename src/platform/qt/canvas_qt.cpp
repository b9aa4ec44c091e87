#include "platform/qt/canvas_qt.h"

#include "platform/font_face.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

QColor ToQColor(TColor Color) {
  const TColor c = ColorToRGB(Color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQRgb(QRgb Pixel) {
  return RGB(qRed(Pixel), qGreen(Pixel), qBlue(Pixel));
}

std::string FontFaceFor(const std::string &Name) {
  static constexpr std::array<TFaceReplacement, 9> Map = {{
      {"ms sans serif", "Liberation Sans"},
      {"arial", "Liberation Sans"},
      {"ms shell dlg", "Liberation Sans"},
      {"ms shell dlg 2", "Liberation Sans"},
      {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"},
      {"times new roman", "Liberation Serif"},
      {"ms serif", "Liberation Serif"},
      {"times", "Liberation Serif"},
  }};
  return ReplaceFace(Name, Map);
}

QFont ToQFont(const TFont &Font) {
  QFont f(QString::fromStdString(FontFaceFor(Font.Name())));
  // Text is smoothed (greyscale) as desktops smooth it; only lines and
  // fills keep the exact pixel rules. Colour-fringed subpixel smoothing is
  // left out: back buffers are also saved as pictures and shown scaled.
  f.setStyleStrategy(QFont::NoSubpixelAntialias);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  const TFontStyles st = Font.Style();
  f.setBold(st.Contains(fsBold));
  f.setItalic(st.Contains(fsItalic));
  f.setUnderline(st.Contains(fsUnderline));
  f.setStrikeOut(st.Contains(fsStrikeOut));
  if (Font.Pitch() == fpFixed) f.setFixedPitch(true);
  int pixels = 11;
  if (Font.Height() < 0) {
    pixels = -Font.Height();
  } else if (Font.Height() > 0) {
    // A positive height is the whole cell (ascent + descent); find the
    // character height giving that cell.
    QFont probe = f;
    probe.setPixelSize(100);
    const double cell = QFontMetricsF(probe).height();
    pixels = cell > 0 ? std::max(1, int(std::lround(Font.Height() * 100.0 / cell))) : Font.Height();
  }
  f.setPixelSize(std::min(pixels, 4096));
  return f;
}
