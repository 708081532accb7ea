#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "config/config_entry.h"

namespace tarvex {

// A typed number as the editor stores it: leading blanks, optional sign, decimal digits up to
// the first other character (none give 0), taken modulo 65536.
uint16_t ConvertTypedNumber(const std::string& text);

// The slot compared with the entry's limits as signed 32-bit numbers, both ends included.
bool NumberWithinLimits(uint16_t slot, const ConfigEntry& entry);

// "Please input the number between %d and %d." filled with the limits.
std::string FormatLimitsMessage(int32_t min, int32_t max);

// "Disable" or "0" give 0, "Enable" or "1" give 1; anything else is no switch value.
std::optional<uint16_t> ParseSwitchValue(const std::string& text);

}  // namespace tarvex
