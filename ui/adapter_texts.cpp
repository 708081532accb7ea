#include "ui/adapter_texts.h"

#include <cstdio>

#include "driver/controller_model.h"
#include "flash/chip_line.h"
#include "flash/identify.h"
#include "platform/host_lock.h"

namespace tarvex {

std::string AdapterLine(AdapterIndex adapter, const AdapterInfo& info) {
    char number[16];
    std::snprintf(number, sizeof number, "[%d] ", static_cast<int>(adapter));
    return number + AdapterName(info) + ControllerModelSuffix(AdapterModelCode(info));
}

std::string FlashChipLine(AdapterIndex adapter) {
    const uint16_t id = FlashChipId(adapter);
    return FlashModelLine(FlashChipName(adapter), id);
}

std::string HostCheckedChipLine(AdapterIndex adapter) {
    platform::HostLock lock;
    if (lock.TryAcquire() == platform::HostLockState::HeldElsewhere)
        return "Flash Model: not checked, an operation is running elsewhere";
    return FlashChipLine(adapter);
}

}  // namespace tarvex
