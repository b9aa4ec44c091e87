#pragma once
// What assistive technology (a screen reader) is told about a control: its
// role, name, value and state, as plain data. Every control describes itself
// through TControl::DescribeAccessible; a form adjusts that with the published
// AccessibleName / AccessibleDescription and, for range controls, with a value
// map that reads the position in the user's units. The Qt back end
// (accessible_qt.*) hands these descriptions to the desktop's accessibility
// interface and sends the change notifications, throttled by TNotifyThrottle.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

/// What kind of thing a control is to a screen reader.
enum TAccessibleRole {
  arLayout,     // a container that only arranges others (no text of its own)
  arGrouping,   // a container with a title
  arWindow,     // a top-level window
  arDialog,     // a dialog window
  arStaticText, // a text to read
  arLink,       // a text that opens a web page or program when pressed
  arPushButton,
  arCheckBox,
  arSlider,
  arEditableText, // a text box (read-only or not)
  arChart,        // a picture of data, told by its description
  arGraphic       // any other picture
};

/// Which part of a description changed, for the change notifications.
enum TAccessibleChange { acName, acDescription, acValue };

/// A numeric value in the user's units (a slider's), with its range.
struct TAccessibleRange {
  double Current = 0;
  double Minimum = 0;
  double Maximum = 0;
  /// Smallest step; 0 where steps are not even (a logarithmic map).
  double Step = 0;
};

/// A control as a screen reader sees it.
struct TAccessibleInfo {
  TAccessibleRole Role = arLayout;
  std::string Name;
  std::string Description;
  /// The value as it is spoken ("898 K"); empty for controls without one.
  std::string Value;
  std::optional<TAccessibleRange> Range;
  /// Set for a control that has nothing to read (an empty label): assistive
  /// technology passes over it as over a hidden one.
  bool Silent = false;
};

/// How a range control's position reads in the user's units: ToValue maps a
/// position to the number the user thinks in (the position itself when
/// unset), Unit is spoken after it ("K"; may be empty).
struct TAccessibleValueMap {
  std::function<double(int Position)> ToValue;
  std::string Unit;
};

/// A number as a screen reader should speak it: up to six significant digits,
/// no trailing zeros, plain digits from 1e-4 up to below 1e9 and a short
/// exponent form ("9E-11", "1E10") outside; always "." as the separator.
std::string FormatAccessibleNumber(double Value);

/// Limits how often one kind of change notification of one control is sent:
/// at most one per interval, the last change of a burst always arriving (as a
/// deferred send at the end of the interval). Pure arithmetic on a clock in
/// milliseconds, so the back end only has to run the timer it asks for.
class TNotifyThrottle {
public:
  explicit TNotifyThrottle(std::int64_t IntervalMs) : interval_(IntervalMs) {}
  /// What to do about a change noted at NowMs.
  struct TDecision {
    bool SendNow = false;
    /// When not sending now and no send is pending yet: milliseconds until
    /// the deferred send is due (the caller starts its timer). 0 otherwise.
    std::int64_t DeferMs = 0;
  };
  TDecision Note(std::int64_t NowMs);
  /// The deferred send is being made at NowMs.
  void Fired(std::int64_t NowMs);
  bool Pending() const { return pending_; }
  std::int64_t Interval() const { return interval_; }

private:
  std::int64_t interval_;
  std::int64_t lastSent_ = 0;
  bool sentOnce_ = false;
  bool pending_ = false;
};
