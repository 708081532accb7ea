#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace tarvex::cli {

// Upper-case hexadecimal, zero-padded to the given number of digits.
inline std::string HexText(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

}  // namespace tarvex::cli
