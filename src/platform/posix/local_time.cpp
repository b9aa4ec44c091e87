#include "platform/local_time.h"

#include <sys/time.h>
#include <time.h>

TLocalTime LocalTimeNow() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  const time_t secs = now.tv_sec;
  localtime_r(&secs, &local);
  TLocalTime t;
  t.Year = local.tm_year + 1900;
  t.Month = local.tm_mon + 1;
  t.Day = local.tm_mday;
  t.Hour = local.tm_hour;
  t.Minute = local.tm_min;
  t.Second = local.tm_sec; // 60 during a leap second, as the system says
  t.Millisecond = int(now.tv_nsec / 1000000);
  return t;
}
