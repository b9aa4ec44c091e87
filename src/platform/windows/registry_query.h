#pragma once
// The registry read on Windows, apart from support/registry.h, whose own
// HKEY (an integer) must not meet the system header's.
#include <cstdint>
#include <string>

/// Values longer than this are treated as missing: no configuration string
/// comes near it, and a hostile one cannot flood memory.
inline constexpr std::uint32_t MaxRegistryValueBytes = 1u << 20;

/// The string value ValueName of key KeyPath under the predefined key Root
/// (one of the HKEY_* numbers), in UTF-8; empty when the key or value is
/// missing, is not a string, is too long or its names are not UTF-8.
/// REG_EXPAND_SZ values come with their environment references expanded.
std::string QueryRegistryString(std::uintptr_t Root, const std::string &KeyPath,
                                const std::string &ValueName);
