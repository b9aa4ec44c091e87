#pragma once
// The text a numeric read-out shows in its value box, as a pure function of
// the value and the display settings, so that it can be computed and checked
// without painting.
#include <array>
#include <string>

/// Display formats of the numeric read-out.
enum TDisplay {
  dtFloat,
  dtFixP,
  dtExp,
  dtHex,
  dtZeroInt,
  dtInt,
  dtDateTime,
  dtState,
  dtBin,
  dtOct,
  dtDeg,
  dtDegMin,
  dtDegMinSec,
  dtEEng,
  dtEEngNoDP
};
inline constexpr std::array<const char *, 15> DisplayNames{
    "dtFloat", "dtFixP", "dtExp", "dtHex",    "dtZeroInt",   "dtInt",  "dtDateTime", "dtState",
    "dtBin",   "dtOct",  "dtDeg", "dtDegMin", "dtDegMinSec", "dtEEng", "dtEEngNoDP"};

/// The settings of a read-out that decide its value text.
struct TNumLabTextSettings {
  TDisplay DisplayType = dtFixP;
  int Precision = 2;
  bool Comma = false;
  bool ForcePlusSign = false;
  std::string OverflowIndicator = "*********";
  std::string StateText = "undefined";
  std::string DTFormat = "mmm-dd, yyyy";
};

/// The value text before any width check. A value outside the range a format
/// can show yields OverflowIndicator, which is never given a sign or a comma.
std::string NumLabValueText(double Value, const TNumLabTextSettings &Settings);

/// The degree sign as written into degree texts.
inline constexpr const char *DegreeSign = "\xC2\xB0";
