#pragma once
// Text at the Windows API boundary: the suite keeps UTF-8 in std::string,
// the wide (W) functions take and give UTF-16 in std::wstring.
#include <optional>
#include <string>
#include <string_view>

/// UTF-16 for the UTF-8 Text; a sequence that is not UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view Text);
/// UTF-16 for the UTF-8 Text, or nothing when Text is not valid UTF-8 or
/// holds a NUL. Used for file and key names, which must never be guessed.
std::optional<std::wstring> StrictWideFromUtf8(std::string_view Text);
/// UTF-8 for the UTF-16 Text; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view Text);
