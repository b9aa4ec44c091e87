// The system-neutral half of accessibility: number wording, the notification
// throttle, and what a plain control tells a screen reader.
#include "platform/accessible.h"

#include "platform/control.h"
#include "platform/strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

/// Drops trailing zeros of a fraction and a separator left alone.
void TrimFraction(std::string &Digits) {
  if (Digits.find('.') == std::string::npos) return;
  while (!Digits.empty() && Digits.back() == '0')
    Digits.pop_back();
  if (!Digits.empty() && Digits.back() == '.') Digits.pop_back();
}

} // namespace

std::string FormatAccessibleNumber(double Value) {
  if (std::isnan(Value)) return "NaN";
  if (std::isinf(Value)) return Value > 0 ? "infinity" : "-infinity";
  if (Value == 0) return "0";
  char buf[64];
  const double magnitude = std::fabs(Value);
  if (magnitude >= 1e-4 && magnitude < 1e9) {
    const int exponent = int(std::floor(std::log10(magnitude)));
    const int decimals = std::max(0, 5 - exponent);
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, decimals);
    std::string out(buf, r.ptr);
    TrimFraction(out);
    return out;
  }
  auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::scientific, 5);
  std::string text(buf, r.ptr);
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  TrimFraction(mantissa);
  return mantissa + "E" + std::to_string(std::stoi(text.substr(e + 1)));
}

TNotifyThrottle::TDecision TNotifyThrottle::Note(std::int64_t NowMs) {
  if (pending_) return {};
  // A clock that went back counts as no time passed.
  const std::int64_t elapsed = std::max<std::int64_t>(0, NowMs - lastSent_);
  if (!sentOnce_ || elapsed >= interval_) {
    sentOnce_ = true;
    lastSent_ = NowMs;
    return {true, 0};
  }
  pending_ = true;
  return {false, interval_ - elapsed};
}

void TNotifyThrottle::Fired(std::int64_t NowMs) {
  pending_ = false;
  sentOnce_ = true;
  lastSent_ = NowMs;
}

// ---- TControl ------------------------------------------------------------------------

void TControl::SetAccessibleName(const std::string &Value) {
  if (Value == accessibleName_) return;
  accessibleName_ = Value;
  AccessibleChanged(acName);
}

void TControl::SetAccessibleDescription(const std::string &Value) {
  if (Value == accessibleDescription_) return;
  accessibleDescription_ = Value;
  AccessibleChanged(acDescription);
}

void TControl::DescribeAccessible(TAccessibleInfo &Info) const {
  Info.Role = arLayout;
  Info.Name = accessibleName_;
  if (Info.Name.empty()) Info.Name = StripAccelChars(Caption());
  const bool namedByHint = Info.Name.empty();
  if (namedByHint) Info.Name = Hint();
  Info.Description = accessibleDescription_;
  if (Info.Description.empty() && !namedByHint) Info.Description = Hint();
}

bool TControl::AccessibleSetValue(double /*Value*/) {
  return false;
}
