// The configuration registry on Windows is the system's own registry.
#include "support/registry.h"

#include "platform/windows/registry_query.h"

std::string ReadRegistryString(HKEY RootKey, const std::string &KeyPath,
                               const std::string &ValueName) {
  if (RootKey == 0) RootKey = HKEY_CURRENT_USER;
  switch (RootKey) {
  case HKEY_CLASSES_ROOT:
  case HKEY_CURRENT_USER:
  case HKEY_LOCAL_MACHINE:
  case HKEY_USERS:
  case HKEY_CURRENT_CONFIG:
    return QueryRegistryString(RootKey, KeyPath, ValueName);
  default:
    return std::string();
  }
}
