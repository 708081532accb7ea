#include "bench/flash/bench_rig.h"

#include <cstdio>
#include <cstdlib>

#include "driver/link_state.h"
#include "platform/device.h"

namespace tarvex::bench {

std::shared_ptr<sim::Simulator> InstallBenchRig(const std::string& chip, bool largeRom) {
    sim::Rig rig;
    rig.clock.mode = sim::ModelClock::Mode::Virtual;
    sim::RigAdapter adapter;
    adapter.vendor = 0x1C5D;
    adapter.device = largeRom ? 0x0C31 : 0x0A12;  // the driver-programmed part needs 0x0C3x
    adapter.model = 7;
    adapter.name = "Bench";
    adapter.chip = chip;
    rig.adapters.push_back(adapter);
    std::string error;
    auto simulator = sim::Simulator::Create(rig, error);
    if (!simulator) {
        std::fprintf(stderr, "bench rig: %s\n", error.c_str());
        std::exit(1);
    }
    platform::InstallDeviceProvider(simulator);
    ResetDriverLink();
    return simulator;
}

}  // namespace tarvex::bench
