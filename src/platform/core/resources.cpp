// The table of registered resources, looked up before the program's own.
#include "platform/resources.h"

#include <map>

namespace {
std::map<std::string, std::string> &Table() {
  static std::map<std::string, std::string> table;
  return table;
}
} // namespace

void RegisterResource(const std::string &Name, std::string_view Data) {
  Table()[Name] = std::string(Data);
}

std::optional<std::string> FindResource(const std::string &Name) {
  auto it = Table().find(Name);
  if (it != Table().end()) return it->second;
  return FindEmbeddedResource(Name);
}
