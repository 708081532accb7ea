#include "flash/flash_status.h"

namespace tarvex {

namespace {
constexpr const char* StatusNames[FlashStatusCount] = {
    "StatusOk",
    "StatusOpenFailed",
    "StatusInvalidImage",
    "StatusNoMemory",
    "StatusReadError",
    "StatusWriteError",
    "StatusCreateFailed",
    "StatusNoAdapter",
    "StatusNoEprom",
    "StatusEpromWrite",
    "StatusEpromRead",
    "StatusEraseFailed",
    "StatusProtected",
    "StatusVerifyFailed",
    "StatusAdapterInfo",
    "StatusImageTooLarge",
    "StatusScanChangedRom",
};
}

const char* FlashStatusName(int32_t status) {
    if (status < 0 || status >= FlashStatusCount) return "StatusUnknown";
    return StatusNames[status];
}

}  // namespace tarvex
