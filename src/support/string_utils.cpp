#include "support/string_utils.h"

std::string LowerAscii(const std::string &Text) {
  std::string r = Text;
  for (char &ch : r)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return r;
}

int FindNth(const std::string &Pattern, const std::string &Text, int Start, bool IgnoreCase,
            int N) {
  if (Pattern.empty() || N < 1) return 0;
  const std::string pattern = IgnoreCase ? LowerAscii(Pattern) : Pattern;
  const std::string text = IgnoreCase ? LowerAscii(Text) : Text;
  std::size_t from = std::size_t(Start < 1 ? 1 : Start) - 1;
  for (int found = 0; from <= text.size();) {
    const std::size_t p = text.find(pattern, from);
    if (p == std::string::npos) return 0;
    if (++found == N) return int(p) + 1;
    from = p + pattern.size();
  }
  return 0;
}

std::string ReplaceAll(const std::string &Source, const std::string &Pattern,
                       const std::string &Replacement, bool IgnoreCase) {
  // One left-to-right pass; inserted text is never searched again. A single
  // pass keeps multi-megabyte language-file texts full of escapes linear.
  if (Pattern.empty()) return Source;
  const std::string haystack = IgnoreCase ? LowerAscii(Source) : Source;
  const std::string needle = IgnoreCase ? LowerAscii(Pattern) : Pattern;
  std::size_t p = haystack.find(needle);
  if (p == std::string::npos) return Source;
  std::string out;
  out.reserve(Source.size());
  std::size_t from = 0;
  for (; p != std::string::npos; p = haystack.find(needle, from)) {
    out.append(Source, from, p - from);
    out += Replacement;
    from = p + Pattern.size();
  }
  out.append(Source, from, std::string::npos);
  return out;
}

bool StartsWith(const std::string &Text, const std::string &Prefix) {
  return Text.size() >= Prefix.size() && Text.compare(0, Prefix.size(), Prefix) == 0;
}

std::string TrimBlanks(const std::string &Text) {
  const std::size_t first = Text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const std::size_t last = Text.find_last_not_of(' ');
  return Text.substr(first, last - first + 1);
}

bool HasUtf16Mark(std::string_view Bytes) {
  return Bytes.size() >= 2 && ((Bytes[0] == '\xFF' && Bytes[1] == '\xFE') ||
                               (Bytes[0] == '\xFE' && Bytes[1] == '\xFF'));
}

std::string Utf16WithMarkToUtf8(std::string_view Bytes) {
  if (!HasUtf16Mark(Bytes)) return std::string(Bytes);
  const bool big = Bytes[0] == '\xFE';
  const auto unit = [&](std::size_t i) {
    const unsigned a = static_cast<unsigned char>(Bytes[i]);
    const unsigned b = static_cast<unsigned char>(Bytes[i + 1]);
    return big ? (a << 8 | b) : (b << 8 | a);
  };
  std::string out;
  out.reserve(Bytes.size());
  const std::size_t end = Bytes.size() & ~std::size_t(1);
  for (std::size_t i = 2; i < end; i += 2) {
    unsigned cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 2 < end) {
      const unsigned low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
    if (cp < 0x80) {
      out += char(cp);
    } else if (cp < 0x800) {
      out += char(0xC0 | cp >> 6);
      out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += char(0xE0 | cp >> 12);
      out += char(0x80 | (cp >> 6 & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    } else {
      out += char(0xF0 | cp >> 18);
      out += char(0x80 | (cp >> 12 & 0x3F));
      out += char(0x80 | (cp >> 6 & 0x3F));
      out += char(0x80 | (cp & 0x3F));
    }
  }
  return out;
}
