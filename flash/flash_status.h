#pragma once
#include <cstdint>

namespace tarvex {

// Outcome of every flash and backup operation; 0 is success.
enum FlashStatus : int32_t {
    StatusOk = 0,
    StatusOpenFailed = 1,
    StatusInvalidImage = 2,
    StatusNoMemory = 3,
    StatusReadError = 4,
    StatusWriteError = 5,
    StatusCreateFailed = 6,
    StatusNoAdapter = 7,
    StatusNoEprom = 8,
    StatusEpromWrite = 9,
    StatusEpromRead = 10,
    StatusEraseFailed = 11,
    StatusProtected = 12,
    StatusVerifyFailed = 13,
    StatusAdapterInfo = 14,
    StatusImageTooLarge = 15,   // the image file is longer than the identified chip
    StatusScanChangedRom = 16,  // identifying the chip changed the ROM, which was not put back
};

inline constexpr int32_t FlashStatusCount = 17;

// The code's constant name ("StatusEpromRead"), or "StatusUnknown" outside the table.
const char* FlashStatusName(int32_t status);

}  // namespace tarvex
