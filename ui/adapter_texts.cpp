#include "ui/adapter_texts.h"


#include "driver/adapter_line.h"
#include "flash/chip_line.h"
#include "flash/identify.h"
#include "platform/host_lock.h"

namespace tarvex {

std::string AdapterLine(AdapterIndex adapter, const AdapterInfo& info) {
    return AdapterLine(adapter, AdapterName(info), AdapterModelCode(info));
}

std::string FlashChipLine(AdapterIndex adapter) {
    const uint16_t id = FlashChipId(adapter);
    return FlashModelLine(FlashChipName(adapter), id);
}

std::string HostCheckedChipLine(AdapterIndex adapter) {
    platform::HostLock lock;
    if (lock.TryAcquire() == platform::HostLockState::HeldElsewhere)
        return FlashModelNotChecked;
    return FlashChipLine(adapter);
}

}  // namespace tarvex
