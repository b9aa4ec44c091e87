#pragma once
// Pictures in the XPM text format (the chart's cursors are written in it):
// a reader that every back end shares, for systems whose own picture
// loading does not read XPM.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

/// A decoded picture: Width x Height pixels, rows top down, each 0xAARRGGBB
/// (alpha 0 for the transparent colour "None", else 0xFF).
struct TXpmPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

/// The largest width or height ReadXpm accepts.
inline constexpr int MaxXpmSize = 1024;

/// Decodes the XPM text Text; nothing for text that is not a complete,
/// consistent XPM picture (colours given as #RGB, #RRGGBB, None, black or
/// white).
std::optional<TXpmPicture> ReadXpm(std::string_view Text);
