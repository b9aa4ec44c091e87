#pragma once
// The wall-clock time in the system's time zone, for time stamps that peers
// compare with their own clocks.

/// A moment of the local calendar, to the millisecond.
struct TLocalTime {
  int Year = 1970;
  int Month = 1; // 1 ... 12
  int Day = 1;   // 1 ... 31
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

/// The present moment in local time.
TLocalTime LocalTimeNow();
