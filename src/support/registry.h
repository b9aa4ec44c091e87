#pragma once
// Read-only access to string values of the system configuration registry.
// On Linux the registry is a file tree described in docs/registry.md; the
// environment variable SPECTRION_REGISTRY_ROOT moves its root.
#include <cstdint>
#include <string>

using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

/// The string ValueName of key KeyPath under RootKey (HKEY_CURRENT_USER when
/// RootKey is 0); an empty string when the root, key or value is missing.
std::string ReadRegistryString(HKEY RootKey, const std::string &KeyPath,
                               const std::string &ValueName);
