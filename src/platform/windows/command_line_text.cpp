#include "platform/windows/command_line_text.h"

#include "platform/windows/wide_string.h"

namespace {

void AppendQuoted(std::wstring &Line, const std::wstring &Argument) {
  if (!Argument.empty() && Argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    Line += Argument;
    return;
  }
  Line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : Argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    Line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    Line += c;
  }
  // Backslashes before the closing quote are doubled.
  Line.append(backslashes * 2, L'\\');
  Line += L'"';
}

} // namespace

std::wstring CommandLineText(const std::vector<std::string> &Arguments) {
  std::wstring line;
  for (const std::string &a : Arguments) {
    if (!line.empty()) line += L' ';
    AppendQuoted(line, WideFromUtf8(a));
  }
  return line;
}
