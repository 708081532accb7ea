#include "sim/simulator_factory.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tarvex::sim {

namespace {

// EX_CONFIG: the simulator's configuration is unusable.
constexpr int ExitBadRig = 78;

[[noreturn]] void StopForBadRig(const std::string& message) {
    std::fprintf(stderr, "tarvex simulator: %s\n", message.c_str());
    std::exit(ExitBadRig);
}

}  // namespace

std::shared_ptr<Simulator> MakeSimulatorFromEnvironment() {
    Rig rig = DefaultRig();
    std::string error;
    const char* rigPath = std::getenv("TARVEX_SIM_RIG");
    const bool named = rigPath && *rigPath && std::string(rigPath) != DefaultRigName;
    if (named && !LoadRig(rigPath, rig, error)) StopForBadRig(error);
    // Taken as given, from the working folder, since it does not come from the rig file.
    if (const char* tracePath = std::getenv("TARVEX_SIM_TRACE"); tracePath && *tracePath)
        rig.trace.file = tracePath;
    // Keeps the chips of adapters without a ROM file in that folder, so that what one process
    // programs is still there for the next (the default rig's ROMs otherwise live in memory).
    if (const char* romDir = std::getenv("TARVEX_SIM_ROM_DIR"); romDir && *romDir)
        for (size_t i = 0; i < rig.adapters.size(); ++i)
            if (rig.adapters[i].romPath.empty())
                rig.adapters[i].romPath =
                    std::string(romDir) + "/adapter" + std::to_string(i) + ".rom";
    auto simulator = Simulator::Create(rig, error);
    if (!simulator) {
        StopForBadRig((named ? std::string(rigPath) : "built-in default rig") + ": " + error);
    }
    return simulator;
}

}  // namespace tarvex::sim
