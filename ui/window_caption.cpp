#include "ui/window_caption.h"

#include "platform/device.h"

namespace tarvex {

std::string WindowCaption(const std::string& caption) {
    const platform::ProviderDescription provider = platform::DescribeDeviceProvider();
    if (!provider.simulated) return caption;
    return caption + " [simulated, rig: " + provider.rig + "]";
}

}  // namespace tarvex
