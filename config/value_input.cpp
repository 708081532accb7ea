#include "config/value_input.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tarvex {

namespace {

constexpr int64_t TypedMagnitudeCap = int64_t{1} << 40;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number read the way atoi reads it: its sign, its residue modulo 65536 and
// its magnitude, held at the cap so long digit strings cannot overflow.
struct TypedNumber {
    bool negative = false;
    uint32_t residue = 0;
    int64_t magnitude = 0;
};

TypedNumber ScanTypedNumber(const std::string& text) {
    TypedNumber number;
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const auto digit = static_cast<uint32_t>(text[at] - '0');
        number.residue = (number.residue * 10 + digit) & 0xFFFF;
        number.magnitude = std::min(number.magnitude * 10 + digit, TypedMagnitudeCap);
    }
    return number;
}

bool EqualsIgnoringCase(const std::string& text, const char* word) {
    size_t i = 0;
    for (; i < text.size() && word[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    return i == text.size() && word[i] == '\0';
}

}  // namespace

uint16_t ConvertTypedNumber(const std::string& text) {
    const TypedNumber number = ScanTypedNumber(text);
    return static_cast<uint16_t>(number.negative ? 0u - number.residue : number.residue);
}

int64_t TypedNumberValue(const std::string& text) {
    const TypedNumber number = ScanTypedNumber(text);
    return number.negative ? -number.magnitude : number.magnitude;
}

NumberRange AcceptedRange(const ConfigEntry& entry) {
    const int32_t widthMax = ConfigValueWidth(entry.kind) == 1 ? 0xFF : 0xFFFF;
    return {std::max(entry.min, 0), std::min(entry.max, widthMax)};
}

bool WithinRange(int64_t value, NumberRange range) {
    return value >= range.min && value <= range.max;
}

bool TypedNumberAccepted(const std::string& text, const ConfigEntry& entry) {
    return WithinRange(TypedNumberValue(text), AcceptedRange(entry));
}

std::string FormatLimitsMessage(int32_t min, int32_t max) {
    char text[80];
    std::snprintf(text, sizeof text, "Please input the number between %d and %d.", min, max);
    return text;
}

std::optional<int64_t> ParseStrictDecimal(const std::string& text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
    return ScanTypedNumber(text).magnitude;
}

std::optional<uint16_t> ParseSwitchValue(const std::string& text) {
    if (text == "0" || EqualsIgnoringCase(text, "Disable")) return 0;
    if (text == "1" || EqualsIgnoringCase(text, "Enable")) return 1;
    return std::nullopt;
}

}  // namespace tarvex
