// The canvas's names come before the system's, whose macros would hide them.
#include "platform/windows/canvas_gdi.h"
#include "platform/windows/gdi_font.h"
#include "platform/windows/wide_string.h"

#include <algorithm>
#include <cmath>

LOGFONTW LogFontOf(const TFont &Font, double Ratio) {
  LOGFONTW lf{};
  const int height = Font.Height() == 0 ? -11 : Font.Height();
  const double scaled = std::clamp(height * Ratio, -4096.0, 4096.0);
  lf.lfHeight = LONG(std::lround(scaled));
  if (lf.lfHeight == 0) lf.lfHeight = height < 0 ? -1 : 1;
  const TFontStyles st = Font.Style();
  lf.lfWeight = st.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = st.Contains(fsItalic);
  lf.lfUnderline = st.Contains(fsUnderline);
  lf.lfStrikeOut = st.Contains(fsStrikeOut);
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY; // smoothed as the desktop smooths text
  lf.lfPitchAndFamily =
      BYTE((Font.Pitch() == fpFixed ? FIXED_PITCH : DEFAULT_PITCH) | FF_DONTCARE);
  const std::wstring face = WideFromUtf8(GdiFaceFor(Font.Name()));
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  return lf;
}
