#pragma once
#include <cstdint>
#include <string>

namespace tarvex {

// "Flash Model: name (0xID)", or "Flash Model: not identified" for the name an identification
// gives when no catalogue chip answers. The window and the command line show the same line.
std::string FlashModelLine(const std::string& name, uint16_t id);
// The line in its place while another process holds the host: no chip was asked.
inline constexpr const char* FlashModelNotChecked =
    "Flash Model: not checked, an operation is running elsewhere";

}  // namespace tarvex
