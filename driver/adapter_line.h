#pragma once
#include <cstdint>
#include <string>

namespace tarvex {

// "[n] name (model)": an adapter as the window's list and the command line show it.
std::string AdapterLine(uint32_t adapter, const std::string& name, uint8_t modelCode);

}  // namespace tarvex
