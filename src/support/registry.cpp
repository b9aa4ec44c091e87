// File-backed registry: <base>/<ROOT NAME>/<key components...>.key holds the
// values of a key as "Name=Value" lines. Layout and base directory are
// described in docs/registry.md.
#include "support/registry.h"

#include "support/string_utils.h"

#include "platform/file_input.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char *RootName(HKEY root) {
  switch (root) {
  case HKEY_CLASSES_ROOT:
    return "HKEY_CLASSES_ROOT";
  case HKEY_CURRENT_USER:
    return "HKEY_CURRENT_USER";
  case HKEY_LOCAL_MACHINE:
    return "HKEY_LOCAL_MACHINE";
  case HKEY_USERS:
    return "HKEY_USERS";
  case HKEY_CURRENT_CONFIG:
    return "HKEY_CURRENT_CONFIG";
  default:
    return nullptr;
  }
}

fs::path BaseDirectory(HKEY root) {
  if (const char *env = std::getenv("SPECTRION_REGISTRY_ROOT"); env && *env) return env;
  if (root == HKEY_CURRENT_USER) {
    if (const char *xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
      return fs::path(xdg) / "spectrion" / "registry";
    if (const char *home = std::getenv("HOME"); home && *home)
      return fs::path(home) / ".config" / "spectrion" / "registry";
    return fs::path();
  }
  return "/etc/spectrion/registry";
}

// The entry of dir named name, matched exactly or else ignoring A-Z case.
bool FindEntry(const fs::path &dir, const std::string &name, fs::path &out) {
  std::error_code ec;
  if (fs::exists(dir / name, ec)) {
    out = dir / name;
    return true;
  }
  const std::string wanted = LowerAscii(name);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (LowerAscii(it->path().filename().string()) == wanted) {
      out = it->path();
      return true;
    }
  }
  return false;
}

} // namespace

std::string ReadRegistryString(HKEY RootKey, const std::string &KeyPath,
                               const std::string &ValueName) {
  if (RootKey == 0) RootKey = HKEY_CURRENT_USER;
  const char *rootName = RootName(RootKey);
  if (!rootName) return std::string();
  const fs::path base = BaseDirectory(RootKey);
  if (base.empty()) return std::string();

  // Split the key path on backslashes (slashes accepted too); a component
  // that could leave the tree makes the key missing.
  std::vector<std::string> parts;
  std::string part;
  for (char ch : KeyPath + "\\") {
    if (ch == '\\' || ch == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += ch;
    }
  }
  if (parts.empty()) return std::string();
  fs::path dir;
  if (!FindEntry(base, rootName, dir)) return std::string();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i] == "." || parts[i] == "..") return std::string();
    const bool last = i + 1 == parts.size();
    fs::path next;
    if (!FindEntry(dir, last ? parts[i] + ".key" : parts[i], next)) return std::string();
    dir = next;
  }
  // A key file is small; anything else under its name (a FIFO, a device, a
  // huge file) counts as a missing key rather than blocking or flooding.
  std::string contents;
  try {
    contents = ReadRegularFile(dir.string(), MaxRegistryKeyFileBytes);
  } catch (const EStreamError &) {
    return std::string();
  }
  const std::string wanted = ValueName.empty() ? "@" : LowerAscii(ValueName);
  std::istringstream in(contents);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (LowerAscii(line.substr(0, eq)) == wanted) return line.substr(eq + 1);
  }
  return std::string();
}
