#include "config/limit_text.h"

namespace tarvex {

namespace {

bool IsSpace(uint8_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int32_t ConvertLimitText(std::span<const uint8_t> text) {
    size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    uint64_t number = 0;
    bool overflow = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        number = number * 10 + (text[at] - '0');
        if (number > UINT32_MAX) {
            overflow = true;
            number = UINT32_MAX;
        }
    }
    uint32_t result = static_cast<uint32_t>(number);
    if (!overflow && negative) {
        result = 0u - result;
    }
    return static_cast<int32_t>(result);
}

}  // namespace tarvex
