#include "driver/controller_model.h"

namespace tarvex {

const char* ControllerModelSuffix(uint8_t modelCode) {
    switch (modelCode) {
        case 3: return " (KVRA0)";
        case 7: return " (KVRA2)";
        case 8: return " (KVRA2A)";
        case 9: return " (KVRB2)";
        case 11: return " (KVRA2N)";
        case 12: return " (KVRB2N)";
        default: return "";
    }
}

}  // namespace tarvex
