#include "support/math_utils.h"

#include "platform/exceptions.h"

#include <cmath>
#include <limits>
#include <utility>

double DecimalLog(double Value) {
  if (!(Value > 0)) throw EMathError("logarithm: invalid argument");
  return std::log(Value) / std::log(10.0);
}

std::int32_t FloorToInt(double Value) {
  // Converting a double outside the 32-bit range is undefined, so the range
  // is checked first; NaN has no floor and gives 0.
  if (std::isnan(Value)) return 0;
  const double f = std::floor(Value);
  if (f >= double(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  if (f <= double(std::numeric_limits<std::int32_t>::min()))
    return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(f);
}

void ExchangeInt(int &A, int &B) {
  std::swap(A, B);
}
void ExchangeDouble(double &A, double &B) {
  std::swap(A, B);
}
void ExchangeExtended(long double &A, long double &B) {
  std::swap(A, B);
}
