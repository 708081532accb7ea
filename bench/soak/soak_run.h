#pragma once
#include <string>

#include "bench/soak/soak_case.h"

namespace tarvex::soak {

// Runs the case's operation as the command line runs it, under the host lock, on a simulator
// of the case's rig whose chip is kept in the folder. Returns the command's status, or -1 when
// a backup reported success but its file does not hold the ROM.
int RunCase(const SoakCase& soakCase, const std::string& folder);

}  // namespace tarvex::soak
