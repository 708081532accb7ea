#include "flash/chip_catalogue.h"

#include "flash/identify.h"
#include "flash/program_routines.h"

namespace tarvex {

namespace {

constexpr uint32_t KiB = 1024;
constexpr uint64_t Ms = 1000;
constexpr uint64_t Sec = 1000000;

constexpr SectorMap Uniform(uint32_t size) { return {{}, size}; }
constexpr SectorMap Listed(std::span<const uint32_t> sizes) { return {sizes, 0}; }

constexpr BootBlocks NoBootBlock{0, 0};
constexpr BootBlocks BothEnds8K{8 * KiB, 8 * KiB};
constexpr BootBlocks BothEnds16K{16 * KiB, 16 * KiB};
constexpr BootBlocks Bottom8K{8 * KiB, 0};
constexpr BootBlocks Bottom16K{16 * KiB, 0};
constexpr BootBlocks Top16K{0, 16 * KiB};

// Sector maps from offset 0, as the parts' datasheets give them; a page-write part's sectors
// are its pages.
constexpr uint32_t At49f010Sectors[] = {8 * KiB, 120 * KiB};
constexpr uint32_t At49f002Sectors[] = {16 * KiB, 8 * KiB, 8 * KiB, 96 * KiB, 128 * KiB};
constexpr uint32_t At49f002tSectors[] = {128 * KiB, 96 * KiB, 8 * KiB, 8 * KiB, 16 * KiB};
constexpr uint32_t At49f001Sectors[] = {16 * KiB, 8 * KiB, 8 * KiB, 32 * KiB, 64 * KiB};
constexpr uint32_t A29001Sectors[] = {8 * KiB,  4 * KiB,  4 * KiB, 16 * KiB,
                                      32 * KiB, 32 * KiB, 32 * KiB};
constexpr uint32_t Lv001btSectors[] = {16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB,
                                       16 * KiB, 16 * KiB, 4 * KiB,  4 * KiB,  8 * KiB};
constexpr uint32_t Lv001bbSectors[] = {8 * KiB,  4 * KiB,  4 * KiB,  16 * KiB, 16 * KiB,
                                       16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB};

}  // namespace

// Capacities are the parts' datasheet sizes. 0xD4BF has no datasheet: 0xD4 is the device code
// of SST's 64 KiB part, so that row is taken as 64 KiB. The driver knows its own part.
// Busy limits are datasheet maxima: for page-write parts the software chip erase (AT29 20 ms,
// W29 50 ms, SST29 20 ms), which outlasts tWC (10 ms, AT29LV 20 ms); for erase-and-program
// parts the chip erase. Where a datasheet gives only a sector erase maximum, every sector in
// turn; where it gives none, a value chosen for the part's era (MOSEL, AMIC).
// clang-format off
const FlashChipEntry FlashChipTable[FlashChipCount] = {
    // id, name, identify, program,
    //     capacity, busy limit, sectors, boot blocks
    {0x631F, "ATMEL FLASH", IdentifyViaDriver, ProgramViaDriver,
        0, 0, Uniform(0), NoBootBlock},
    {0xD51F, "ATMEL AT29C010A", IdentifyThreeCycle, ProgramPages128,
        128 * KiB, 20 * Ms, Uniform(128), BothEnds8K},
    {0xC1DA, "WINBOND W29EE011/W29C011A", IdentifySixCycle, ProgramPages128,
        128 * KiB, 50 * Ms, Uniform(128), NoBootBlock},
    {0x45DA, "WINBOND W29C020C", IdentifySixCycle, ProgramPages128,
        256 * KiB, 50 * Ms, Uniform(128), BothEnds8K},
    {0x46DA, "WINBOND W29C040", IdentifySixCycle, ProgramPages256,
        512 * KiB, 50 * Ms, Uniform(256), BothEnds16K},
    {0x31DA, "WINBOND W39L010", IdentifyThreeCycle, EraseProgramBytes,
        128 * KiB, 100 * Ms, Uniform(16 * KiB), NoBootBlock},
    {0xB5DA, "WINBOND W39L020", IdentifyThreeCycle, EraseProgramBytes,
        256 * KiB, 100 * Ms, Uniform(32 * KiB), NoBootBlock},
    {0xB6DA, "WINBOND W39L040", IdentifyThreeCycle, EraseProgramBytes,
        512 * KiB, 100 * Ms, Uniform(64 * KiB), NoBootBlock},
    {0xD6DA, "WINBOND W39L040A", IdentifyThreeCycle, EraseProgramBytes,
        512 * KiB, 100 * Ms, Uniform(64 * KiB), NoBootBlock},
    {0x171F, "ATMEL AT49F010", IdentifyThreeCycle, EraseProgramBytes,
        128 * KiB, 10 * Sec, Listed(At49f010Sectors), Bottom8K},
    {0x071F, "ATMEL AT49F002(N)", IdentifyThreeCycle, EraseProgramBytes,
        256 * KiB, 10 * Sec, Listed(At49f002Sectors), Bottom16K},
    {0x081F, "ATMEL AT49F002(N)T", IdentifyThreeCycle, EraseProgramBytes,
        256 * KiB, 10 * Sec, Listed(At49f002tSectors), Top16K},
    {0x051F, "ATMEL AT49F001", IdentifyThreeCycle, EraseProgramBytes,
        128 * KiB, 10 * Sec, Listed(At49f001Sectors), Bottom16K},
    {0x5B1F, "ATMEL AT29C040", IdentifyThreeCycle, ProgramPages512,
        512 * KiB, 20 * Ms, Uniform(512), BothEnds16K},
    {0xA41F, "ATMEL AT29C040A", IdentifyThreeCycle, ProgramPages256,
        512 * KiB, 20 * Ms, Uniform(256), BothEnds16K},
    {0x3B1F, "ATMEL AT29LV040", IdentifyThreeCycle, ProgramPages512,
        512 * KiB, 20 * Ms, Uniform(512), BothEnds16K},
    {0xC41F, "ATMEL AT29LV040A", IdentifyThreeCycle, ProgramPages256,
        512 * KiB, 20 * Ms, Uniform(256), BothEnds16K},
    {0xD4BF, "SST 39SF010", IdentifyThreeCycle, EraseProgramBytes,
        64 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0xB5BF, "SST 39SF010A", IdentifyThreeCycle, EraseProgramBytes,
        128 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0xB6BF, "SST 39SF020A", IdentifyThreeCycle, EraseProgramBytes,
        256 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0xB7BF, "SST 39SF040", IdentifyThreeCycle, EraseProgramBytes,
        512 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0xD5BF, "SST 39VF010", IdentifyThreeCycle, EraseProgramBytes,
        128 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0xD6BF, "SST 39VF020", IdentifyThreeCycle, EraseProgramBytes,
        256 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0xD7BF, "SST 39VF040", IdentifyThreeCycle, EraseProgramBytes,
        512 * KiB, 100 * Ms, Uniform(4 * KiB), NoBootBlock},
    {0x10BF, "SST 29EE020", IdentifyThreeCycle, ProgramPages128,
        256 * KiB, 20 * Ms, Uniform(128), NoBootBlock},
    {0x12BF, "SST 29LE020", IdentifyThreeCycle, ProgramPages128,
        256 * KiB, 20 * Ms, Uniform(128), NoBootBlock},
    {0x07BF, "SST 29EE010", IdentifyThreeCycle, ProgramPages128,
        128 * KiB, 20 * Ms, Uniform(128), NoBootBlock},
    {0x08BF, "SST 29LE010", IdentifyThreeCycle, ProgramPages128,
        128 * KiB, 20 * Ms, Uniform(128), NoBootBlock},
    {0x0140, "MOSEL F29C51001T", IdentifyThreeCycle, EraseProgramBytes,
        128 * KiB, 10 * Sec, Uniform(512), NoBootBlock},
    {0xA137, "AMIC A29001/A290011", IdentifyAutoselect, EraseProgramBytesShort,
        128 * KiB, 40 * Sec, Listed(A29001Sectors), NoBootBlock},
    {0x2001, "AMD29F010", IdentifyAutoselect, EraseProgramBytesShort,
        128 * KiB, 64 * Sec, Uniform(16 * KiB), NoBootBlock},
    {0xA401, "AMD29F040", IdentifyAutoselect, EraseProgramBytesShort,
        512 * KiB, 64 * Sec, Uniform(64 * KiB), NoBootBlock},
    {0x4F01, "AM29LV040", IdentifyAutoselect, EraseProgramBytesShort,
        512 * KiB, 120 * Sec, Uniform(64 * KiB), NoBootBlock},
    {0xED01, "AM29LV001BT", IdentifyAutoselect, EraseProgramBytesShort,
        128 * KiB, 150 * Sec, Listed(Lv001btSectors), NoBootBlock},
    {0x6D01, "AM29LV001BB", IdentifyAutoselect, EraseProgramBytesShort,
        128 * KiB, 150 * Sec, Listed(Lv001bbSectors), NoBootBlock},
};
// clang-format on

uint32_t LengthWithinChip(const FlashChipEntry& chip, uint32_t length) {
    return chip.capacity != 0 && length > chip.capacity ? chip.capacity : length;
}

bool ImageFitsChip(const FlashChipEntry& chip, uint64_t content) {
    return chip.capacity == 0 || content <= chip.capacity;
}

uint32_t PageSizeOf(const FlashChipEntry& chip) {
    if (chip.program == ProgramPages128) return 128;
    if (chip.program == ProgramPages256) return 256;
    return chip.program == ProgramPages512 ? 512 : 0;
}

RomRegion SectorAt(const FlashChipEntry& chip, uint32_t offset) {
    if (offset >= chip.capacity) return {offset, 0};
    const uint32_t uniform = chip.sectors.uniform;
    if (uniform != 0) return {offset - offset % uniform, uniform};
    uint32_t start = 0;
    for (uint32_t size : chip.sectors.sizes) {
        if (offset - start < size) return {start, size};
        start += size;
    }
    return {offset, 0};
}

}  // namespace tarvex
