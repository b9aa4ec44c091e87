#pragma once
// The Windows back end's texts for system error codes.
#include <cstdint>
#include <string>

/// The system's message (UTF-8, without the trailing line break) for the
/// Windows error Code; "error N" when the system has no text for it.
std::string SystemErrorText(std::uint32_t Code);
