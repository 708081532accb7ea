#include <cstdlib>

#include "platform/device.h"
#include "platform/driver_provider.h"
#include "sim/simulator_factory.h"

namespace tarvex::platform {

// The adapters' driver, unless TARVEX_SIM_RIG asks for the simulator.
std::shared_ptr<DeviceProvider> MakeDefaultDeviceProvider() {
    const char* rig = std::getenv("TARVEX_SIM_RIG");
    if (rig != nullptr && *rig != '\0') return sim::MakeSimulatorFromEnvironment();
    return MakeDriverProvider();
}

}  // namespace tarvex::platform
