#pragma once
// The part of the wavelength axis on view: zooming and panning it stays
// within the full 0 ... 10000 nm the curves are drawn on. Pure arithmetic;
// the window applies the result to the axis.

/// A wavelength range in nm, Low < High.
struct TWavelengthView {
  double Low = 0;
  double High = 10000;
};

/// The full range of the wavelength axis.
inline constexpr TWavelengthView FullWavelengthView{0, 10000};
/// The narrowest range a zoom goes to.
inline constexpr double MinWavelengthSpan = 10;

/// View moved and sized to lie within the full range: a span wider than the
/// full range or not finite gives the full range, a narrower one than
/// MinWavelengthSpan is widened about its centre, and a view past either
/// end is shifted back inside with its span kept.
TWavelengthView LimitWavelengthView(TWavelengthView View);

/// View zoomed by Factor about the wavelength Centre (Factor > 1 shows
/// less), limited as above.
TWavelengthView ZoomWavelengthView(TWavelengthView View, double Factor, double Centre);

/// View shifted by Fraction of its span (positive: to longer wavelengths),
/// limited as above.
TWavelengthView PanWavelengthView(TWavelengthView View, double Fraction);
