#pragma once
#include <cstdint>
#include <span>

#include "driver/transport.h"

namespace tarvex {

using IdentifyRoutine = uint16_t (*)(AdapterIndex adapter);
using ProgramRoutine = int32_t (*)(AdapterIndex adapter, const uint8_t* image, uint32_t length);

// A part's sectors from offset 0: a list of sizes, or one size repeated (uniform).
struct SectorMap {
    std::span<const uint32_t> sizes;
    uint32_t uniform;
};

// Boot blocks with a programming lockout at the bottom and at the top of the part (sizes in
// bytes; 0: none). In ID mode, address 2 tells whether the bottom one is locked out and the
// part's size - 14 whether the top one is: bit 0 set (FF) when locked, clear (FE) when not.
struct BootBlocks {
    uint32_t low;
    uint32_t high;
};

// One supported chip: id is (device code << 8) | maker code, as the chip answers at ROM offsets
// 0 and 1 in its ID mode.
struct FlashChipEntry {
    uint32_t id;
    const char* name;
    IdentifyRoutine identify;
    ProgramRoutine program;
    uint32_t capacity;  // bytes; 0 where the driver programs a part only it knows
    // The longest the part may stay busy after an erase or program command (the longer of the
    // two), in microseconds, by its datasheet; 0 where the driver programs the part.
    uint64_t busyLimitUs;
    SectorMap sectors;  // none where the driver programs the part
    BootBlocks bootBlocks;
};

inline constexpr int32_t FlashChipCount = 35;
// Row 0, the chip the driver programs itself, is scanned only on these adapters.
inline constexpr int32_t DriverProgrammedRow = 0;
inline constexpr int32_t FirstCommandRow = 1;
// Where ID mode reports the top boot block's lockout, counted back from the part's end.
inline constexpr uint32_t TopBootCodeFromEnd = 14;

// In scan order: identification takes the first row whose routine reads the row's id.
extern const FlashChipEntry FlashChipTable[FlashChipCount];

// The bytes of a buffer that fit the chip: never past its capacity (none for a row without one).
uint32_t LengthWithinChip(const FlashChipEntry& chip, uint32_t length);
// Whether an image of `content` bytes (its file, without the zero tail) fits the chip.
bool ImageFitsChip(const FlashChipEntry& chip, uint64_t content);

// The page of a page-write row (its program routine's), 0 for every other row.
uint32_t PageSizeOf(const FlashChipEntry& chip);

// A stretch of the ROM: [start, start + size).
struct RomRegion {
    uint32_t start;
    uint32_t size;
};
// The sector of the chip holding offset; size 0 past its sectors (or for a row without any).
RomRegion SectorAt(const FlashChipEntry& chip, uint32_t offset);

}  // namespace tarvex
