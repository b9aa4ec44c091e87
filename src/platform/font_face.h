#pragma once
// Font family names a back end replaces by the faces it has installed.
#include <span>
#include <string>

/// One replacement: the family name From (lower case) is drawn with face To.
struct TFaceReplacement {
  const char *From;
  const char *To;
};

/// The face of the replacement whose name equals Name ignoring A-Z case;
/// Name itself when there is none.
std::string ReplaceFace(const std::string &Name, std::span<const TFaceReplacement> Map);
