#include "simulation/label_format.h"

#include <cstdint>

namespace {

[[noreturn]] void Refuse(std::string_view format, const char *why) {
  throw ELabelFormatError("Format \"" + std::string(format) +
                          "\" is not valid for one whole number (" + why + ")");
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a decimal field number starting at pos; refuses widths beyond the limit.
int ReadNumber(std::string_view format, std::size_t &pos) {
  int n = 0;
  while (pos < format.size() && IsDigit(format[pos])) {
    n = n * 10 + (format[pos] - '0');
    if (n > MaxLabelFieldWidth) Refuse(format, "field too wide");
    ++pos;
  }
  return n;
}

// Decimal digits of |value|, without a sign.
std::string Digits(long long value) {
  // Work on the unsigned magnitude so that the most negative value is safe.
  std::uint64_t u = value < 0 ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value);
  std::string s;
  do {
    s.insert(s.begin(), char('0' + u % 10));
    u /= 10;
  } while (u != 0);
  return s;
}

} // namespace

std::string FormatIntLabel(std::string_view format, long long value) {
  std::string out;
  bool used = false;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (pos >= format.size()) Refuse(format, "ends with a lone %");
    if (format[pos] == '%') {
      out += '%';
      ++pos;
      continue;
    }
    bool left = false;
    bool zeroPad = false;
    for (; pos < format.size() && (format[pos] == '-' || format[pos] == '0'); ++pos) {
      if (format[pos] == '-')
        left = true;
      else
        zeroPad = true;
    }
    const int width = ReadNumber(format, pos);
    int precision = -1;
    if (pos < format.size() && format[pos] == '.') {
      ++pos;
      precision = ReadNumber(format, pos);
    }
    if (pos >= format.size() || (format[pos] != 'd' && format[pos] != 'D'))
      Refuse(format, "only %d directives are allowed");
    ++pos;
    if (used) Refuse(format, "more than one number asked for");
    used = true;

    std::string digits = Digits(value);
    if (precision >= 0 && digits.size() < std::size_t(precision))
      digits.insert(0, std::size_t(precision) - digits.size(), '0');
    const std::string sign = value < 0 ? "-" : "";
    std::string field = sign + digits;
    if (field.size() < std::size_t(width)) {
      const std::size_t pad = std::size_t(width) - field.size();
      if (left)
        field.append(pad, ' ');
      else if (zeroPad && precision < 0)
        field = sign + std::string(pad, '0') + digits;
      else
        field.insert(0, pad, ' ');
    }
    out += field;
  }
  return out;
}
