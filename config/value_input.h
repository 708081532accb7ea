#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "config/config_entry.h"

namespace tarvex {

// A typed number as the editor stores it: leading blanks, optional sign, decimal digits up to
// the first other character (none give 0), taken modulo 65536.
uint16_t ConvertTypedNumber(const std::string& text);

// The same reading without narrowing: the signed number typed, held at +-2^40 beyond that.
int64_t TypedNumberValue(const std::string& text);

// The numbers a number entry accepts: its limits, within what its width holds in the editor
// (8 bits for a byte entry, 16 for a word and for a dword, which the editor edits as 16 bits).
struct NumberRange {
    int32_t min;
    int32_t max;
};
NumberRange AcceptedRange(const ConfigEntry& entry);
bool WithinRange(int64_t value, NumberRange range);

// True when the typed text, read without narrowing, lies in the entry's accepted range.
bool TypedNumberAccepted(const std::string& text, const ConfigEntry& entry);

// "Please input the number between %d and %d." filled with the limits.
std::string FormatLimitsMessage(int32_t min, int32_t max);

// Decimal digits and nothing else; none for any other text (a sign, blanks, a prefix, empty).
std::optional<int64_t> ParseStrictDecimal(const std::string& text);

// "Disable" or "0" give 0, "Enable" or "1" give 1, the words in any case; anything else is no
// switch value.
std::optional<uint16_t> ParseSwitchValue(const std::string& text);

}  // namespace tarvex
