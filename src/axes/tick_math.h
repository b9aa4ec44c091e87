#pragma once
// The numeric building blocks of axis ticks: the 1-2-5 step choice, the
// number of label decimals and the label text rules. All pure functions.
#include <string>

/// Result of NiceScale: the first major tick at or beyond the low end, the
/// signed major step and the number of short-tick intervals per step.
struct TNiceScale {
  double First = 0;
  double Step = 0;
  int NShort = 1;
};

/// Chooses the major step for an axis from Low to High: the largest of
/// 1, 2, 5 x 10^k not above |High - Low| / MinTicks (step 1 when MinTicks is
/// 0), signed in the direction of the range. Step is 0 when the range is
/// empty or not finite.
TNiceScale NiceScale(int MinTicks, double High, double Low);

/// Label decimals of a linear axis: DecPlaces itself unless it asks for the
/// automatic choice (-2 or -3); then -1 (exponent form) for very large or
/// very small spans, 0 for spans of 100 and more, else by the span's size.
int AutoDecimals(int DecPlaces, double High, double Low);

/// Label decimals of a logarithmic axis: DecPlaces unless it is -2; then -1
/// for very large or small spans, 0 when the low end is at least 1, else
/// enough decimals to show the low end.
int LogDecimals(int DecPlaces, double High, double Low);

/// Formats a tick value. Decimals >= 0 gives fixed notation; a negative
/// value gives the exponent form: a blank or "-", two significant digits,
/// "E", the exponent sign and two digits (" 1.2E+03"), or eight "*" when the
/// exponent needs three digits. The result is padded with blanks on the left
/// to at least Width characters.
std::string FormatTickValue(int Width, int Decimals, double Value);

/// The n-th (1-based) of the "|"-separated texts in Text; the last one for
/// an n beyond the count; empty for n <= 0 or an empty Text.
std::string UserTickItem(const std::string &Text, int n);

/// Puts a label into its template: the first "&" of Template is replaced by
/// Label, or Label is appended when Template has no "&". An empty Label
/// stays empty.
std::string ApplyInscript(const std::string &Label, const std::string &Template);
