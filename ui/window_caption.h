#pragma once
#include <string>

namespace tarvex {

// The caption with the simulator's rig appended when the simulator answers in the driver's
// place, so that its adapters are never taken for real ones.
std::string WindowCaption(const std::string& caption);

}  // namespace tarvex
