#include "driver/adapter_line.h"

#include "driver/controller_model.h"

namespace tarvex {

std::string AdapterLine(uint32_t adapter, const std::string& name, uint8_t modelCode) {
    return "[" + std::to_string(adapter) + "] " + name + ControllerModelSuffix(modelCode);
}

}  // namespace tarvex
