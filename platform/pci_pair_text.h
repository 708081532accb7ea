#pragma once
#include <cstdint>
#include <string_view>

namespace tarvex::platform {

// "VVVV:DDDD": a PCI vendor and device identifier, four hexadecimal digits each, nothing else.
bool ParsePciPair(std::string_view text, uint16_t& vendor, uint16_t& device);

}  // namespace tarvex::platform
