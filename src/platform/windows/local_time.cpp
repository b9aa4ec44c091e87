#include "platform/local_time.h"

#include <windows.h>

TLocalTime LocalTimeNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  TLocalTime t;
  t.Year = now.wYear;
  t.Month = now.wMonth;
  t.Day = now.wDay;
  t.Hour = now.wHour;
  t.Minute = now.wMinute;
  t.Second = now.wSecond;
  t.Millisecond = now.wMilliseconds;
  return t;
}
