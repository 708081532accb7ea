#include "config/value_input.h"

#include <cstdio>

namespace tarvex {

namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

uint16_t ConvertTypedNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Only the residue modulo 65536 is kept, so long digit strings cannot overflow.
    uint32_t number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = (number * 10 + static_cast<uint32_t>(text[at] - '0')) & 0xFFFF;
    }
    return static_cast<uint16_t>(negative ? 0u - number : number);
}

bool NumberWithinLimits(uint16_t slot, const ConfigEntry& entry) {
    int32_t value = slot;
    return value >= entry.min && value <= entry.max;
}

std::string FormatLimitsMessage(int32_t min, int32_t max) {
    char text[80];
    std::snprintf(text, sizeof text, "Please input the number between %d and %d.", min, max);
    return text;
}

std::optional<uint16_t> ParseSwitchValue(const std::string& text) {
    if (text == "Disable" || text == "0") {
        return 0;
    }
    if (text == "Enable" || text == "1") {
        return 1;
    }
    return std::nullopt;
}

}  // namespace tarvex
