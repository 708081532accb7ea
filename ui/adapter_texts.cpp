#include "ui/adapter_texts.h"

#include <cstdio>

#include "driver/controller_model.h"
#include "flash/chip_line.h"
#include "flash/identify.h"

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

}  // namespace tarvex
