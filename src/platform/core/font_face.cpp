#include "platform/font_face.h"

#include <algorithm>
#include <cctype>

std::string ReplaceFace(const std::string &Name, std::span<const TFaceReplacement> Map) {
  std::string lower = Name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char ch) { return ch < 0x80 ? char(std::tolower(ch)) : char(ch); });
  for (const TFaceReplacement &m : Map)
    if (lower == m.From) return m.To;
  return Name;
}
