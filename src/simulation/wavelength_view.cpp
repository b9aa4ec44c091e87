#include "simulation/wavelength_view.h"

#include <algorithm>
#include <cmath>

TWavelengthView LimitWavelengthView(TWavelengthView View) {
  const TWavelengthView full = FullWavelengthView;
  double lo = std::min(View.Low, View.High), hi = std::max(View.Low, View.High);
  const double span = hi - lo;
  if (!std::isfinite(lo) || !std::isfinite(hi) || span >= full.High - full.Low) return full;
  if (span < MinWavelengthSpan) {
    const double c = (lo + hi) / 2;
    lo = c - MinWavelengthSpan / 2;
    hi = c + MinWavelengthSpan / 2;
  }
  if (lo < full.Low) {
    hi += full.Low - lo;
    lo = full.Low;
  }
  if (hi > full.High) {
    lo -= hi - full.High;
    hi = full.High;
  }
  return {lo, hi};
}

TWavelengthView ZoomWavelengthView(TWavelengthView View, double Factor, double Centre) {
  if (!(Factor > 0) || !std::isfinite(Factor)) return LimitWavelengthView(View);
  return LimitWavelengthView(
      {Centre + (View.Low - Centre) / Factor, Centre + (View.High - Centre) / Factor});
}

TWavelengthView PanWavelengthView(TWavelengthView View, double Fraction) {
  const double shift = (View.High - View.Low) * Fraction;
  return LimitWavelengthView({View.Low + shift, View.High + shift});
}
