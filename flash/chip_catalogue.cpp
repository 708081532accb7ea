#include "flash/chip_catalogue.h"

#include "flash/identify.h"
#include "flash/program_routines.h"

namespace tarvex {

namespace {
constexpr uint32_t KiB = 1024;
}  // namespace

// Capacities are the parts' datasheet sizes. 0xD4BF has no datasheet: 0xD4 is the device code
// of SST's 64 KiB part, so that row is taken as 64 KiB. The driver knows its own part.
const FlashChipEntry FlashChipTable[FlashChipCount] = {
    {0x631F, "ATMEL FLASH", IdentifyViaDriver, ProgramViaDriver, 0},
    {0xD51F, "ATMEL AT29C010A", IdentifyThreeCycle, ProgramPages128, 128 * KiB},
    {0xC1DA, "WINBOND W29EE011/W29C011A", IdentifySixCycle, ProgramPages128, 128 * KiB},
    {0x45DA, "WINBOND W29C020C", IdentifySixCycle, ProgramPages128, 256 * KiB},
    {0x46DA, "WINBOND W29C040", IdentifySixCycle, ProgramPages256, 512 * KiB},
    {0x31DA, "WINBOND W39L010", IdentifyThreeCycle, EraseProgramBytes, 128 * KiB},
    {0xB5DA, "WINBOND W39L020", IdentifyThreeCycle, EraseProgramBytes, 256 * KiB},
    {0xB6DA, "WINBOND W39L040", IdentifyThreeCycle, EraseProgramBytes, 512 * KiB},
    {0xD6DA, "WINBOND W39L040A", IdentifyThreeCycle, EraseProgramBytes, 512 * KiB},
    {0x171F, "ATMEL AT49F010", IdentifyThreeCycle, EraseProgramBytes, 128 * KiB},
    {0x071F, "ATMEL AT49F002(N)", IdentifyThreeCycle, EraseProgramBytes, 256 * KiB},
    {0x081F, "ATMEL AT49F002(N)T", IdentifyThreeCycle, EraseProgramBytes, 256 * KiB},
    {0x051F, "ATMEL AT49F001", IdentifyThreeCycle, EraseProgramBytes, 128 * KiB},
    {0x5B1F, "ATMEL AT29C040", IdentifyThreeCycle, ProgramPages512, 512 * KiB},
    {0xA41F, "ATMEL AT29C040A", IdentifyThreeCycle, ProgramPages256, 512 * KiB},
    {0x3B1F, "ATMEL AT29LV040", IdentifyThreeCycle, ProgramPages512, 512 * KiB},
    {0xC41F, "ATMEL AT29LV040A", IdentifyThreeCycle, ProgramPages256, 512 * KiB},
    {0xD4BF, "SST 39SF010", IdentifyThreeCycle, EraseProgramBytes, 64 * KiB},
    {0xB5BF, "SST 39SF010A", IdentifyThreeCycle, EraseProgramBytes, 128 * KiB},
    {0xB6BF, "SST 39SF020A", IdentifyThreeCycle, EraseProgramBytes, 256 * KiB},
    {0xB7BF, "SST 39SF040", IdentifyThreeCycle, EraseProgramBytes, 512 * KiB},
    {0xD5BF, "SST 39VF010", IdentifyThreeCycle, EraseProgramBytes, 128 * KiB},
    {0xD6BF, "SST 39VF020", IdentifyThreeCycle, EraseProgramBytes, 256 * KiB},
    {0xD7BF, "SST 39VF040", IdentifyThreeCycle, EraseProgramBytes, 512 * KiB},
    {0x10BF, "SST 29EE020", IdentifyThreeCycle, ProgramPages128, 256 * KiB},
    {0x12BF, "SST 29LE020", IdentifyThreeCycle, ProgramPages128, 256 * KiB},
    {0x07BF, "SST 29EE010", IdentifyThreeCycle, ProgramPages128, 128 * KiB},
    {0x08BF, "SST 29LE010", IdentifyThreeCycle, ProgramPages128, 128 * KiB},
    {0x0140, "MOSEL F29C51001T", IdentifyThreeCycle, EraseProgramBytes, 128 * KiB},
    {0xA137, "AMIC A29001/A290011", IdentifyAutoselect, EraseProgramBytesShort, 128 * KiB},
    {0x2001, "AMD29F010", IdentifyAutoselect, EraseProgramBytesShort, 128 * KiB},
    {0xA401, "AMD29F040", IdentifyAutoselect, EraseProgramBytesShort, 512 * KiB},
    {0x4F01, "AM29LV040", IdentifyAutoselect, EraseProgramBytesShort, 512 * KiB},
    {0xED01, "AM29LV001BT", IdentifyAutoselect, EraseProgramBytesShort, 128 * KiB},
    {0x6D01, "AM29LV001BB", IdentifyAutoselect, EraseProgramBytesShort, 128 * KiB},
};

uint32_t LengthWithinChip(const FlashChipEntry& chip, uint32_t length) {
    return chip.capacity != 0 && length > chip.capacity ? chip.capacity : length;
}

bool ImageFitsChip(const FlashChipEntry& chip, uint64_t content) {
    return chip.capacity == 0 || content <= chip.capacity;
}

}  // namespace tarvex
