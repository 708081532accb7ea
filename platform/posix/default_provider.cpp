#include "platform/device.h"
#include "sim/simulator_factory.h"

namespace tarvex::platform {

// Hosts without the adapters' driver reach the simulator: the rig named by TARVEX_SIM_RIG,
// or the built-in default rig.
std::shared_ptr<DeviceProvider> MakeDefaultDeviceProvider() {
    return sim::MakeSimulatorFromEnvironment();
}

}  // namespace tarvex::platform
