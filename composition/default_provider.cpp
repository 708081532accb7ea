#include <cstdlib>

#include "platform/device.h"
#include "sim/simulator_factory.h"
#ifdef _WIN32
#include "platform/driver_provider.h"
#endif

namespace tarvex::platform {

// The simulator answers on hosts without the adapters' driver: the rig named by TARVEX_SIM_RIG,
// or the built-in default rig. On Windows the driver answers unless TARVEX_SIM_RIG asks for the
// simulator.
std::shared_ptr<DeviceProvider> MakeDefaultDeviceProvider() {
#ifdef _WIN32
    const char* rig = std::getenv("TARVEX_SIM_RIG");
    if (rig == nullptr || *rig == '\0') return MakeDriverProvider();
#endif
    return sim::MakeSimulatorFromEnvironment();
}

}  // namespace tarvex::platform
