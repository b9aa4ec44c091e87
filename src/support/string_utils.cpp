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
  std::string text = Source;
  int start = 1;
  for (;;) {
    const int p = FindNth(Pattern, text, start, IgnoreCase, 1);
    if (p == 0) return text;
    text.replace(std::size_t(p) - 1, Pattern.size(), Replacement);
    start = p + int(Replacement.size());
  }
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
