// What the standard controls and forms tell a screen reader: their roles,
// the texts that name them and the values of range controls in the user's
// units. System-neutral; the Qt back end only hands this on.
#include "platform/accessible.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/strings.h"

#include <algorithm>
#include <cmath>

void TPanel::DescribeAccessible(TAccessibleInfo &Info) const {
  TCustomControl::DescribeAccessible(Info);
  // A panel without a title only arranges the controls inside it.
  Info.Role = Info.Name.empty() ? arLayout : arGrouping;
}

void TLabel::DescribeAccessible(TAccessibleInfo &Info) const {
  TGraphicControl::DescribeAccessible(Info);
  Info.Role = arStaticText;
  // The text read is the text shown: "&" is an accelerator mark only where
  // it is not drawn.
  if (AccessibleName().empty() && !showAccelChar_ && !Caption().empty()) Info.Name = Caption();
  Info.Silent = Info.Name.empty();
}

void TBitBtn::DescribeAccessible(TAccessibleInfo &Info) const {
  TWinControl::DescribeAccessible(Info);
  Info.Role = arPushButton;
}

void TCheckBox::DescribeAccessible(TAccessibleInfo &Info) const {
  TWinControl::DescribeAccessible(Info);
  Info.Role = arCheckBox;
}

void TMemo::DescribeAccessible(TAccessibleInfo &Info) const {
  TWinControl::DescribeAccessible(Info);
  Info.Role = arEditableText;
}

void TForm::DescribeAccessible(TAccessibleInfo &Info) const {
  TWinControl::DescribeAccessible(Info);
  Info.Role = borderStyle_ == bsDialog ? arDialog : arWindow;
}

// ---- range controls ----------------------------------------------------------------

void TRangeControl::SetAccessibleValueMap(TAccessibleValueMap Map) {
  accessibleValue_ = std::move(Map);
  AccessibleChanged(acValue);
}

double TRangeControl::AccessibleValue(int APosition) const {
  return accessibleValue_.ToValue ? accessibleValue_.ToValue(APosition) : double(APosition);
}

void TRangeControl::DescribeAccessible(TAccessibleInfo &Info) const {
  TWinControl::DescribeAccessible(Info);
  Info.Role = arSlider;
  TAccessibleRange range;
  range.Current = AccessibleValue(position_);
  // A map may run downwards; the range is told from the smaller end.
  const double atMin = AccessibleValue(min_), atMax = AccessibleValue(max_);
  range.Minimum = std::min(atMin, atMax);
  range.Maximum = std::max(atMin, atMax);
  range.Step = accessibleValue_.ToValue ? 0.0 : 1.0;
  Info.Range = range;
  Info.Value = FormatAccessibleNumber(range.Current);
  if (!accessibleValue_.Unit.empty()) Info.Value += " " + accessibleValue_.Unit;
}

int TRangeControl::NearestPosition(double Value) const {
  // Maps need not be linear (an axis top grows by powers of ten), so the
  // position is found by its value: every position of a short range, a
  // bisection (for a map that only rises or only falls) on a long one.
  constexpr long long MaxScanned = 100000;
  auto distance = [&](int p) { return std::fabs(AccessibleValue(p) - Value); };
  if (static_cast<long long>(max_) - min_ <= MaxScanned) {
    int best = min_;
    for (int p = min_ + 1; p <= max_; ++p)
      if (distance(p) < distance(best)) best = p;
    return best;
  }
  const bool rising = AccessibleValue(max_) >= AccessibleValue(min_);
  int lo = min_, hi = max_;
  while (static_cast<long long>(hi) - lo > 1) {
    const int mid = int(lo + (static_cast<long long>(hi) - lo) / 2);
    if ((AccessibleValue(mid) < Value) == rising)
      lo = mid;
    else
      hi = mid;
  }
  return distance(hi) < distance(lo) ? hi : lo;
}

bool TRangeControl::AccessibleSetValue(double Value) {
  if (!std::isfinite(Value)) return false;
  int best = position_;
  if (!accessibleValue_.ToValue) {
    best = int(std::clamp(std::round(Value), double(min_), double(max_)));
  } else {
    best = NearestPosition(Value);
  }
  SetPosition(best);
  return true;
}
