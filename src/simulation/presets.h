#pragma once
// Temperatures of well-known glowing bodies, offered to the user as presets.
#include <array>

/// One preset: the translation key of its name and its temperature.
struct TTemperaturePreset {
  const char *NameKey;
  int Kelvin;
};

/// The presets, coolest first.
inline constexpr std::array<TTemperaturePreset, 7> TemperaturePresets{{
    {"Human body", 310},
    {"Red-hot iron", 1300},
    {"Candle flame", 1900},
    {"Incandescent lamp", 2700},
    {"Red dwarf", 3000},
    {"Surface of the Sun", 5772},
    {"Sirius A", 9940},
}};
