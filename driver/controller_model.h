#pragma once
#include <cstdint>

namespace tarvex {

// The controller chip an adapter's model code names: " (KVRA2)" for code 7, and so on;
// the empty text for codes without a name. The suffix begins with a space.
const char* ControllerModelSuffix(uint8_t modelCode);

}  // namespace tarvex
