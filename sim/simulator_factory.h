#pragma once
#include <memory>

#include "sim/simulator.h"

namespace tarvex::sim {

// TARVEX_SIM_RIG's value for the built-in default rig, where an unset variable means the driver.
inline constexpr const char* DefaultRigName = "default";

// The simulator named by the environment: TARVEX_SIM_RIG (else the default rig), with
// TARVEX_SIM_TRACE naming a trace file and TARVEX_SIM_ROM_DIR a folder that keeps the chips of
// adapters without a ROM file of their own. A rig that cannot be loaded is reported on standard
// error and ends the process with status 78, so that nothing runs against a wrong rig.
std::shared_ptr<Simulator> MakeSimulatorFromEnvironment();

}  // namespace tarvex::sim
