#pragma once
// String routines of the suite. Positions are 1-based; 0 means "not found".
// Case folding touches only A-Z.
#include <string>
#include <string_view>

/// Replaces every occurrence of Pattern in Source, left to right; inserted text
/// is never searched again, an empty Pattern replaces nothing.
std::string ReplaceAll(const std::string &Source, const std::string &Pattern,
                       const std::string &Replacement, bool IgnoreCase);

/// 1-based position of the N-th non-overlapping occurrence of Pattern in Text,
/// searching from Start (values below 1 count as 1); 0 when there are fewer.
int FindNth(const std::string &Pattern, const std::string &Text, int Start, bool IgnoreCase, int N);

/// Case-sensitive prefix test.
bool StartsWith(const std::string &Text, const std::string &Prefix);

/// Removes leading and trailing blanks (code 32 only).
std::string TrimBlanks(const std::string &Text);

/// Lower-cases A-Z only.
std::string LowerAscii(const std::string &Text);

/// The text of a file that begins with a UTF-16 byte-order mark (FF FE for
/// little-endian, FE FF for big-endian) as UTF-8, without the mark; unpaired
/// surrogates become U+FFFD and an odd last byte is dropped. Bytes without
/// such a mark are returned unchanged.
std::string Utf16WithMarkToUtf8(std::string_view Bytes);

/// Whether Bytes begin with a UTF-16 byte-order mark.
bool HasUtf16Mark(std::string_view Bytes);
