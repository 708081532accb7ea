#include "driver/discovery.h"
#include "driver/link_state.h"
#include "platform/device.h"

namespace tarvex {

void DetectHostSystem() {
    DriverLinkState& link = DriverLink();
    platform::HostVersion version;
    const bool known = platform::GetHostVersion(version, false);
    link.isNtFamily = known && version.platformId == platform::PlatformNt;
    if (!link.isNtFamily) return;
    platform::HostVersion extended;
    if (platform::GetHostVersion(extended, true))
        link.portPerAdapter = extended.major <= 5 && extended.minor == 0;
}

}  // namespace tarvex
