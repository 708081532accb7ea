#pragma once
#include <cstdint>
#include <span>

namespace tarvex {

// Decimal conversion of a limit the way strtoul reads base 10 on a 32-bit host: leading white
// space, optional sign, digits up to the first other byte; no digits give 0, overflow gives
// 0xFFFFFFFF, a minus sign negates. Reads only the bytes of the span.
int32_t ConvertLimitText(std::span<const uint8_t> text);

}  // namespace tarvex
