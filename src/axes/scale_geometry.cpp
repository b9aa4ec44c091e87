#include "axes/scale_geometry.h"

#include "axes/dt_ticks.h"
#include "axes/tick_math.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPixelLimit = 2147483647.0;
constexpr std::size_t kMaxLabelLength = 14;

double Log10(double x) {
  return std::log(x) / std::log(10.0);
}

bool RangeUsable(const TScaleState &S) {
  return std::isfinite(S.RangeLow) && std::isfinite(S.RangeHigh) &&
         std::isfinite(S.RangeHigh - S.RangeLow) && S.RangeLow != S.RangeHigh;
}

bool LogRangeUsable(const TScaleState &S) {
  return RangeUsable(S) && S.RangeLow > 0 && S.RangeHigh > 0;
}

int MajorLength(const TScaleState &S) {
  return IsHorizontalScale(S.ScaleType) ? 7 : 6;
}

// Foot of a tick at world value v: on the axis line at the value's pixel.
TPoint FootOf(const TScaleState &S, int axis, double v) {
  const int p = ValueToPixel(S, v);
  return IsHorizontalScale(S.ScaleType) ? TPoint{p, axis} : TPoint{axis, p};
}

TTick MakeTick(const TScaleState &S, int axis, double v, bool major, int length) {
  TTick t;
  t.Value = v;
  t.Major = major;
  t.Length = length;
  t.Foot = FootOf(S, axis, v);
  const TPoint d = TickDirection(S.ScaleType);
  t.Tip = {SaturateInt(std::int64_t(t.Foot.X) + d.X * length),
           SaturateInt(std::int64_t(t.Foot.Y) + d.Y * length)};
  return t;
}

void LinearTicks(const TScaleState &S, std::vector<TTick> &out) {
  const TNiceScale n = NiceScale(S.MinTicks, S.RangeHigh, S.RangeLow);
  if (n.Step == 0) return;
  const int axis = AxisLinePosition(S);
  const double shortStep = n.Step / n.NShort;
  const double dir = S.RangeHigh > S.RangeLow ? 1.0 : -1.0;

  if (S.ShortTicks) {
    const double start = n.First - n.Step;
    for (int k = 0; k < MaxTicksPerLoop; ++k) {
      const double v = start + k * shortStep;
      if (dir * v >= dir * S.RangeLow) {
        TTick t = MakeTick(S, axis, v, false, 4);
        t.Recorded = true;
        out.push_back(std::move(t));
      }
      const double next = start + (k + 1) * shortStep;
      if (!(dir * (next - S.RangeHigh) <= 0.001 * std::fabs(shortStep))) break;
    }
  }

  const int decimals = AutoDecimals(S.DecPlaces, S.RangeHigh, S.RangeLow);
  int majors = 0;
  for (int k = 0; k < MaxTicksPerLoop; ++k) {
    const double v = n.First + k * n.Step;
    TTick t = MakeTick(S, axis, v, true, MajorLength(S));
    t.Recorded = !S.ShortTicks;
    t.Notify = true;
    t.NotifyFirst = !IsHorizontalScale(S.ScaleType);
    if (S.LabelType != ftNoFigs) {
      t.Labelled = true;
      t.Label = NumericTickLabel(S, v, decimals, false, false, ++majors);
    }
    out.push_back(std::move(t));
    const double next = n.First + (k + 1) * n.Step;
    if (!(dir * (next - S.RangeHigh) <= 0.001 * std::fabs(n.Step))) break;
  }
}

void LogTicks(const TScaleState &S, std::vector<TTick> &out) {
  const double decades = std::fabs(Log10(S.RangeHigh / S.RangeLow));
  if (decades < 1) {
    LinearTicks(S, out);
    return;
  }
  const int axis = AxisLinePosition(S);
  const double lo = std::min(S.RangeLow, S.RangeHigh);
  const double hi = std::max(S.RangeLow, S.RangeHigh);
  const int decimals = LogDecimals(S.DecPlaces, hi, lo);
  const double base = std::pow(10.0, std::floor(Log10(lo * 0.999999999)));
  const bool subdivide = S.MinTicks > decades + 0.5;
  const bool horizontal = IsHorizontalScale(S.ScaleType);
  int majors = 0;

  auto candidate = [&](double v, bool major, bool decade) {
    if (!(lo * 0.999999999 < v && v < hi / 0.999999999)) return;
    TTick t = MakeTick(S, axis, v, major, horizontal ? (major ? 7 : 4) : 6);
    t.Recorded = true;
    t.Notify = true;
    if (major && S.LabelType != ftNoFigs) {
      t.Labelled = true;
      t.Label = NumericTickLabel(S, v, decimals, true, decade, ++majors);
    }
    out.push_back(std::move(t));
  };

  double m = 1;
  for (int k = 0; k < MaxTicksPerLoop; ++k) {
    candidate(base * m, true, true);
    if (subdivide) {
      for (int i = 2; i <= 9; ++i) {
        const bool major = i == 2 || i == 5;
        if (major || S.ShortTicks) candidate(i * base * m, major, false);
      }
    }
    m *= 10;
    if (!(hi >= 0.999999999 * base * m)) break;
  }
}

} // namespace

void CalcScaleFactors(TScaleState &S) {
  if (S.RangeHigh == S.RangeLow) return;
  if (IsHorizontalScale(S.ScaleType)) {
    const std::int64_t a = std::int64_t(S.Width) - S.MarginLeft - S.MarginRight - 1;
    if (a <= 0) {
      S.Factor = 0;
      S.Offset = S.Width / 2.0;
    } else if (!S.Logarithmic) {
      S.Factor = double(a) / (S.RangeHigh - S.RangeLow);
      S.Offset = S.MarginLeft - S.RangeLow * S.Factor;
    } else if (S.RangeLow > 0 && S.RangeHigh > 0) {
      S.Factor = double(a) / (std::log(S.RangeHigh) - std::log(S.RangeLow));
      S.Offset = S.MarginLeft - std::log(S.RangeLow) * S.Factor;
    }
  } else {
    const std::int64_t b = std::int64_t(S.Height) - S.MarginTop - S.MarginBottom - 1;
    if (b <= 0) {
      S.Factor = 0;
      S.Offset = S.Height / 2.0;
    } else if (!S.Logarithmic) {
      S.Factor = double(b) / (S.RangeLow - S.RangeHigh);
      S.Offset = S.MarginTop - S.RangeHigh * S.Factor;
    } else if (S.RangeLow > 0 && S.RangeHigh > 0) {
      S.Factor = double(b) / (std::log(S.RangeLow) - std::log(S.RangeHigh));
      S.Offset = S.MarginTop - std::log(S.RangeHigh) * S.Factor;
    }
  }
}

int ValueToPixel(const TScaleState &S, double V) {
  if (S.DataMap) return S.DataMap->ToPixel(V);
  double p;
  if (!S.Logarithmic) {
    p = S.Factor * V + S.Offset;
  } else if (V > LogFloor) {
    p = std::log(V) * S.Factor + S.Offset;
  } else {
    const bool ascending = S.RangeHigh >= S.RangeLow;
    if (IsHorizontalScale(S.ScaleType)) return ascending ? 0 : S.Width;
    return ascending ? S.Height : 0;
  }
  // A NaN (from an unusable range) lands on the start rather than being
  // converted to an integer, which would be undefined.
  if (std::isnan(p)) return 0;
  p = std::clamp(p, -kPixelLimit, kPixelLimit);
  return static_cast<int>(std::nearbyint(p));
}

int AxisLinePosition(const TScaleState &S) {
  switch (S.ScaleType) {
  case sctXB:
    return SaturateInt(std::int64_t(S.Height) - S.MarginBottom - 1);
  case sctXT:
    return S.MarginTop;
  case sctYL:
    return S.MarginLeft;
  case sctYR:
    return SaturateInt(std::int64_t(S.Width) - S.MarginRight - 1);
  }
  return 0;
}

TPoint TickDirection(TScaleType T) {
  switch (T) {
  case sctXB:
    return {0, -1};
  case sctXT:
    return {0, 1};
  case sctYL:
    return {1, 0};
  case sctYR:
    return {-1, 0};
  }
  return {0, 0};
}

std::string NumericTickLabel(const TScaleState &S, double Value, int Decimals, bool LogTicks,
                             bool DecadeTick, int MajorIndex) {
  std::string text;
  if (!LogTicks) {
    const double span = S.RangeHigh - S.RangeLow;
    if (std::fabs(Value / span) < 1e-14) {
      Value = 0;
      if (std::fabs(span) <= 100000)
        text = FormatTickValue(1, Decimals, 0);
      else
        text = Decimals == 0 ? "0" : "0.0";
    } else {
      text = FormatTickValue(1, Decimals, Value);
    }
  } else if (Decimals == -3) {
    if (DecadeTick) text = FormatTickValue(1, 0, std::nearbyint(Log10(Value)));
  } else {
    text = FormatTickValue(1, Decimals, Value);
  }
  if (text.size() > kMaxLabelLength) text.resize(kMaxLabelLength);
  if (!LogTicks && S.DecPlaces == 0 && std::fabs(Value - std::nearbyint(Value)) > 1e-6)
    text.clear();
  if (LogTicks && S.DecPlaces == -2 && text.find('.') != std::string::npos &&
      text.find_first_of("eE") == std::string::npos) {
    while (!text.empty() && text.back() == '0')
      text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (S.LabelType == ftUserText) return UserTickItem(S.UserTickText, MajorIndex);
  return ApplyInscript(text, S.ScaleInscript);
}

TTickMessage ComputeTicks(const TScaleState &S, std::vector<TTick> &Out) {
  Out.clear();
  if (S.LabelType == ftDateTime) return DateTimeTicks(S, Out);
  if (!RangeUsable(S)) return tmNone;
  // A logarithmic range reaching 0 or below has no decades to mark: no ticks.
  if (S.Logarithmic && !LogRangeUsable(S)) return tmNone;
  if (S.LabelType == ftTime && TimeTicks(S, Out)) return tmNone;
  if (!S.Logarithmic)
    LinearTicks(S, Out);
  else
    LogTicks(S, Out);
  return tmNone;
}

TTick PlaceTick(const TScaleState &S, double V, bool Major, int Length) {
  return MakeTick(S, AxisLinePosition(S), V, Major, Length);
}

std::vector<TTick> ComputeTicks(const TScaleState &S) {
  std::vector<TTick> out;
  ComputeTicks(S, out);
  return out;
}

TPoint TickLabelOrigin(const TScaleState &S, const TTick &Tick, TSize Text, int ZeroHeight) {
  using W = std::int64_t;
  const W axis = AxisLinePosition(S);
  const int y = SaturateInt(W(Tick.Foot.Y) - ZeroHeight / 2);
  switch (S.ScaleType) {
  case sctYR:
    return {SaturateInt(axis - Text.cx - 8), y};
  case sctYL:
    return {SaturateInt(axis + 8), y};
  case sctXT:
  case sctXB: {
    const W hw = Text.cx / 2;
    const W tx = Tick.Foot.X;
    const W left = tx + hw < W(S.Width) - 2 ? tx - std::min(hw, tx - 2) : W(S.Width) - 2 * hw - 2;
    const W top = S.ScaleType == sctXT ? axis + 7 : axis - Text.cy - 7;
    return {SaturateInt(left), SaturateInt(top)};
  }
  }
  return {0, 0};
}
