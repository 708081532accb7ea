#include "ui/adapter_texts.h"

#include <cstdio>
#include <cstring>

#include "driver/controller_model.h"
#include "flash/identify.h"
#include "platform/host_lock.h"

namespace tarvex {

std::string AdapterLine(AdapterIndex adapter, const AdapterInfo& info) {
    char number[16];
    std::snprintf(number, sizeof number, "[%d] ", static_cast<int>(adapter));
    return number + AdapterName(info) + ControllerModelSuffix(AdapterModelCode(info));
}

std::string FlashChipLine(AdapterIndex adapter) {
    uint16_t id = FlashChipId(adapter);
    const char* name = FlashChipName(adapter);
    if (std::strcmp(name, UnknownChipName) == 0) return "Flash Model: not identified";
    char line[96];
    std::snprintf(line, sizeof line, "Flash Model: %s (0x%X)", name, static_cast<unsigned>(id));
    return line;
}

std::string HostCheckedChipLine(AdapterIndex adapter) {
    platform::HostLock lock;
    if (lock.TryAcquire() == platform::HostLockState::HeldElsewhere)
        return "Flash Model: not checked, an operation is running elsewhere";
    return FlashChipLine(adapter);
}

}  // namespace tarvex
