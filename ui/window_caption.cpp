#include "ui/window_caption.h"

#include "platform/device.h"

namespace tarvex {

QString WindowCaption(const QString& caption) {
    const platform::ProviderDescription provider = platform::DescribeDeviceProvider();
    if (!provider.simulated) return caption;
    return caption + QStringLiteral(" [simulated, rig: ") + QString::fromStdString(provider.rig) +
           QStringLiteral("]");
}

}  // namespace tarvex
