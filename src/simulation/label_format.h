#pragma once
// Formatting of texts whose format comes from the language file. Such a format
// is untrusted input, so it is interpreted here instead of being handed to a
// C-style formatter: only the directives for one whole number are understood.
#include "platform/exceptions.h"

#include <string>
#include <string_view>

/// Raised when a format for one whole number is not understood; the message
/// names the offending format.
class ELabelFormatError : public Exception {
public:
  using Exception::Exception;
};

/// Largest field width a format may ask for; wider fields are refused rather
/// than filling memory on behalf of a damaged language file.
inline constexpr int MaxLabelFieldWidth = 255;

/// Formats `value` with `format`, which may hold plain text, "%%" for a percent
/// sign and at most one directive "%[-][0][width][.digits]d" (the letter in
/// either case). A format without a directive is returned as its text.
/// Anything else raises ELabelFormatError.
std::string FormatIntLabel(std::string_view format, long long value);
