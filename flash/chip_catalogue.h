#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

using IdentifyRoutine = uint16_t (*)(AdapterIndex adapter);
using ProgramRoutine = int32_t (*)(AdapterIndex adapter, const uint8_t* image, uint32_t length);

// One supported chip: id is (device code << 8) | maker code, as the chip answers at ROM offsets
// 0 and 1 in its ID mode.
struct FlashChipEntry {
    uint32_t id;
    const char* name;
    IdentifyRoutine identify;
    ProgramRoutine program;
    uint32_t capacity;  // bytes; 0 where the driver programs a part only it knows
};

inline constexpr int32_t FlashChipCount = 35;
// Row 0, the chip the driver programs itself, is scanned only on these adapters.
inline constexpr int32_t DriverProgrammedRow = 0;
inline constexpr int32_t FirstCommandRow = 1;

// In scan order: identification takes the first row whose routine reads the row's own id.
extern const FlashChipEntry FlashChipTable[FlashChipCount];

// The bytes of a buffer that fit the chip: never past its capacity (none for a row without one).
uint32_t LengthWithinChip(const FlashChipEntry& chip, uint32_t length);
// Whether an image of `content` bytes (its file, without the zero tail) fits the chip.
bool ImageFitsChip(const FlashChipEntry& chip, uint64_t content);

}  // namespace tarvex
