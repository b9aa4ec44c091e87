#pragma once
// Small numeric routines shared by the components.
#include <cstdint>

/// Decimal logarithm; raises EMathError("logarithm: invalid argument") unless
/// Value > 0.
double DecimalLog(double Value);

/// The largest integer not above Value; saturates to the 32-bit range, NaN
/// gives 0.
std::int32_t FloorToInt(double Value);

void ExchangeInt(int &A, int &B);
void ExchangeDouble(double &A, double &B);
/// Swaps two extended-precision values.
void ExchangeExtended(long double &A, long double &B);
