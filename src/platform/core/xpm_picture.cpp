#include "platform/xpm_picture.h"

#include <cctype>
#include <map>
#include <sstream>
#include <string>

namespace {

/// The C strings of the XPM text, in order (comments skipped).
std::vector<std::string> QuotedStrings(std::string_view Text) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < Text.size()) {
    if (Text.compare(i, 2, "/*") == 0) {
      const std::size_t end = Text.find("*/", i + 2);
      if (end == std::string_view::npos) break;
      i = end + 2;
      continue;
    }
    if (Text[i] != '"') {
      ++i;
      continue;
    }
    const std::size_t end = Text.find('"', i + 1);
    if (end == std::string_view::npos) return {}; // unterminated: not a picture
    out.emplace_back(Text.substr(i + 1, end - i - 1));
    i = end + 1;
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = char(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::uint32_t> ColourValue(std::string Value) {
  for (char &c : Value)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  if (Value == "none") return 0u;
  if (Value == "black") return 0xFF000000u;
  if (Value == "white") return 0xFFFFFFFFu;
  if (Value.size() != 4 && Value.size() != 7) return std::nullopt;
  if (Value[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  const bool shortForm = Value.size() == 4;
  for (std::size_t i = 1; i < Value.size(); ++i) {
    const int d = HexDigit(Value[i]);
    if (d < 0) return std::nullopt;
    rgb = shortForm ? (rgb << 8) | std::uint32_t(d * 17) : (rgb << 4) | std::uint32_t(d);
  }
  return 0xFF000000u | rgb;
}

} // namespace

std::optional<TXpmPicture> ReadXpm(std::string_view Text) {
  if (Text.find("XPM") == std::string_view::npos) return std::nullopt;
  const std::vector<std::string> strings = QuotedStrings(Text);
  if (strings.empty()) return std::nullopt;
  std::istringstream header(strings[0]);
  long long width = 0, height = 0, colours = 0, perPixel = 0;
  if (!(header >> width >> height >> colours >> perPixel)) return std::nullopt;
  if (width <= 0 || height <= 0 || width > MaxXpmSize || height > MaxXpmSize || colours <= 0 ||
      perPixel <= 0 || perPixel > 4)
    return std::nullopt;
  if (std::size_t(colours) + std::size_t(height) + 1 > strings.size()) return std::nullopt;
  std::map<std::string, std::uint32_t> table;
  for (long long c = 0; c < colours; ++c) {
    const std::string &line = strings[std::size_t(1 + c)];
    if (line.size() < std::size_t(perPixel)) return std::nullopt;
    const std::string key = line.substr(0, std::size_t(perPixel));
    std::istringstream rest(line.substr(std::size_t(perPixel)));
    std::string kind, value;
    std::optional<std::uint32_t> colour;
    // Only the colour ("c") visual counts; others (m, g, s) are skipped.
    while (rest >> kind >> value)
      if (kind == "c") colour = ColourValue(value);
    if (!colour || table.count(key)) return std::nullopt;
    table[key] = *colour;
  }
  TXpmPicture picture;
  picture.Width = int(width);
  picture.Height = int(height);
  picture.Pixels.reserve(std::size_t(width * height));
  for (long long y = 0; y < height; ++y) {
    const std::string &row = strings[std::size_t(1 + colours + y)];
    if (row.size() != std::size_t(width * perPixel)) return std::nullopt;
    for (long long x = 0; x < width; ++x) {
      auto it = table.find(row.substr(std::size_t(x * perPixel), std::size_t(perPixel)));
      if (it == table.end()) return std::nullopt;
      picture.Pixels.push_back(it->second);
    }
  }
  return picture;
}
