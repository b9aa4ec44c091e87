#pragma once
// The names of the colour constants, as form descriptions write them.
#include "platform/color.h"
#include <optional>
#include <string>

/// The colour named Name ("clRed", "clInfoBk", ... ignoring case), or nothing.
std::optional<TColor> ColorFromName(const std::string &Name);
/// The constant's name of Color, or an empty text when it has none.
std::string ColorToName(TColor Color);
