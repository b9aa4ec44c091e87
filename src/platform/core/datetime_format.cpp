#include "platform/datetime_format.h"

#include <cctype>
#include <cmath>
#include <cstdint>

namespace {

// Day 0 of the value scale (1899-12-30) counted from 1970-01-01.
constexpr std::int64_t kEpochOffset = -25569;
constexpr std::int64_t kMSecPerDay = 86400000;

// Civil date from days since 1970-01-01 (proleptic Gregorian, eras of 400 years).
void CivilFromDays(std::int64_t z, int &year, int &month, int &day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// Days since 1970-01-01 of a civil date.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = month > 2 ? month - 3 : month + 9;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int DaysInMonth(int year, int month) {
  static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

void AppendNumber(std::string &out, int value, int minDigits) {
  std::string digits = std::to_string(value);
  if (int(digits.size()) < minDigits) out.append(std::size_t(minDigits) - digits.size(), '0');
  out += digits;
}

char Lower(char c) {
  return char(std::tolower(static_cast<unsigned char>(c)));
}

bool MatchesAt(std::string_view pattern, std::size_t i, std::string_view word) {
  if (pattern.size() - i < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k)
    if (Lower(pattern[i + k]) != word[k]) return false;
  return true;
}

// Whether the pattern holds a 12-hour marker outside quotes.
bool UsesTwelveHourClock(std::string_view pattern) {
  char quote = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (MatchesAt(pattern, i, "am/pm") || MatchesAt(pattern, i, "a/p") ||
               MatchesAt(pattern, i, "ampm")) {
      return true;
    }
  }
  return false;
}

} // namespace

const TDateTimeNames &TDateTimeNames::English() {
  static const TDateTimeNames names{
      {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September",
       "October", "November", "December"},
      {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
      {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
      "AM",
      "PM"};
  return names;
}

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::optional<TDateTimeParts> DecodeDateTime(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  double whole = std::floor(value);
  if (whole < MinDateTimeDay || whole > MaxDateTimeDay) return std::nullopt;
  auto days = std::int64_t(whole);
  auto msec = std::int64_t(std::nearbyint((value - whole) * double(kMSecPerDay)));
  if (msec >= kMSecPerDay) { // a time that rounds up to midnight belongs to the next day
    msec -= kMSecPerDay;
    ++days;
    if (double(days) > MaxDateTimeDay) return std::nullopt;
  }
  TDateTimeParts p;
  CivilFromDays(days + kEpochOffset, p.Year, p.Month, p.Day);
  p.Hour = int(msec / 3600000);
  p.Minute = int(msec / 60000 % 60);
  p.Second = int(msec / 1000 % 60);
  p.MSec = int(msec % 1000);
  // Day 0 (1899-12-30) was a Saturday.
  p.DayOfWeek = int(((days % 7) + 7 + 6) % 7) + 1;
  return p;
}

std::optional<double> EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return std::nullopt;
  return double(DaysFromCivil(year, month, day) - kEpochOffset);
}

std::optional<double> EncodeTime(int hour, int minute, int second, int msec) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999)
    return std::nullopt;
  const std::int64_t total = ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000 + msec;
  return double(total) / double(kMSecPerDay);
}

std::optional<std::string> FormatDateTime(std::string_view pattern, double value,
                                          const TDateTimeNames &names) {
  const auto parts = DecodeDateTime(value);
  if (!parts) return std::nullopt;
  return FormatDateTimeParts(pattern, *parts, names);
}

std::string FormatDateTimeParts(std::string_view pattern, const TDateTimeParts &p,
                                const TDateTimeNames &names) {
  const bool twelveHour = UsesTwelveHourClock(pattern);
  const bool afternoon = p.Hour >= 12;
  std::string out;
  out.reserve(pattern.size() + 16);
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '"' || c == '\'') {
      const std::size_t end = pattern.find(c, i + 1);
      const std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
      out.append(pattern.substr(i + 1, stop - i - 1));
      i = end == std::string_view::npos ? pattern.size() : end + 1;
      continue;
    }
    // Markers of the half of the day keep the letter case written in the pattern.
    if (MatchesAt(pattern, i, "am/pm")) {
      const std::string_view word = pattern.substr(i + (afternoon ? 3 : 0), 2);
      out += word;
      i += 5;
      continue;
    }
    if (MatchesAt(pattern, i, "a/p")) {
      out += pattern[i + (afternoon ? 2 : 0)];
      i += 3;
      continue;
    }
    if (MatchesAt(pattern, i, "ampm")) {
      out += afternoon ? names.TimePMString : names.TimeAMString;
      i += 4;
      continue;
    }
    const char letter = Lower(c);
    if (letter != 'd' && letter != 'm' && letter != 'y' && letter != 'h' && letter != 'n' &&
        letter != 's' && letter != 'z') {
      out += c;
      ++i;
      continue;
    }
    std::size_t count = 1;
    while (i + count < pattern.size() && Lower(pattern[i + count]) == letter)
      ++count;
    i += count;
    switch (letter) {
    case 'd':
      if (count <= 2)
        AppendNumber(out, p.Day, int(count));
      else if (count == 3)
        out += names.ShortDayNames[std::size_t(p.DayOfWeek - 1)];
      else
        out += names.LongDayNames[std::size_t(p.DayOfWeek - 1)];
      break;
    case 'm':
      if (count <= 2)
        AppendNumber(out, p.Month, int(count));
      else if (count == 3)
        out += names.ShortMonthNames[std::size_t(p.Month - 1)];
      else
        out += names.LongMonthNames[std::size_t(p.Month - 1)];
      break;
    case 'y':
      if (count <= 2)
        AppendNumber(out, p.Year % 100, 2);
      else
        AppendNumber(out, p.Year, 4);
      break;
    case 'h': {
      int hour = p.Hour;
      if (twelveHour) {
        hour %= 12;
        if (hour == 0) hour = 12;
      }
      AppendNumber(out, hour, count >= 2 ? 2 : 1);
      break;
    }
    case 'n':
      AppendNumber(out, p.Minute, count >= 2 ? 2 : 1);
      break;
    case 's':
      AppendNumber(out, p.Second, count >= 2 ? 2 : 1);
      break;
    case 'z':
      AppendNumber(out, p.MSec, count >= 2 ? 3 : 1);
      break;
    }
  }
  return out;
}
