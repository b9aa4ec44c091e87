#pragma once
// A published property's value as text, for tests that compare every
// registered setting of two objects.
#include "platform/property_registry.h"

#include <sstream>
#include <string>

/// A published value as text, whatever its kind.
inline std::string Published(const TPropInfo &P, TObject *O) {
  std::ostringstream out;
  out.precision(17);
  if (P.Kind() == pkText)
    out << P.GetText(O);
  else if (P.Kind() == pkFloat)
    out << P.GetFloat(O);
  else
    out << P.GetOrdinal(O);
  return out.str();
}
