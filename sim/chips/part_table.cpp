#include <algorithm>
#include <cctype>
#include <optional>

#include "sim/chips/part_facts.h"

namespace tarvex::sim {

namespace {

using Names = std::array<std::string_view, 4>;
constexpr uint32_t KiB = 1024;

// Page-write timing shared by a maker's parts.
struct PageTiming {
    uint32_t cycleUs;
    uint32_t chipEraseUs;
    uint32_t windowUs;
    uint32_t startUs;
    uint32_t idEntryUs;
    UnloadedBytes unloaded;
};

// AT29: tBLC 150 us; tWC 10 ms max, 5 ms typical picked; software chip erase 20 ms picked;
// the product ID reads right only ~10 ms after entry.
constexpr PageTiming AtmelPages{5000, 20000, 150, 150, 10000, UnloadedBytes::Indeterminate};
// AT29LV: tWC 20 ms max; no typical published, 8 ms picked (below the engine's 10 ms wait).
constexpr PageTiming AtmelLvPages{8000, 20000, 150, 150, 10000, UnloadedBytes::Indeterminate};
// W29: tBLC 200 us, programming starts 300 us after the last byte, page cycle 5 ms typical
// (10 ms max), chip erase 50 ms, a 10 us pause after ID entry.
constexpr PageTiming WinbondPages{5000, 50000, 200, 300, 10, UnloadedBytes::Erased};
// SST29EE/LE: page write 5 ms typical; byte-load time-out picked as 200 us, chip erase as
// 20 ms, ID access time 10 us.
constexpr PageTiming SstPages{5000, 20000, 200, 200, 10, UnloadedBytes::Erased};

constexpr PartFacts Pages(Names names, uint16_t id, uint32_t size, uint8_t entries,
                          uint32_t pageSize, const PageTiming& t) {
    // A page is the unit these parts rewrite, and the unit a boot-block lock fault covers.
    return PartFacts{.names = names,
                     .id = id,
                     .size = size,
                     .family = ChipFamily::PageWrite,
                     .idEntries = entries,
                     .pageSize = pageSize,
                     .programUs = t.cycleUs,
                     .chipEraseUs = t.chipEraseUs,
                     .loadWindowUs = t.windowUs,
                     .programStartUs = t.startUs,
                     .idEntryUs = t.idEntryUs,
                     .unloaded = t.unloaded,
                     .uniformSector = pageSize};
}

constexpr PartFacts Bytes(Names names, uint16_t id, uint32_t size, ChipFamily family,
                          uint32_t programUs, uint32_t chipEraseUs,
                          std::span<const uint32_t> sectors, uint32_t uniformSector = 0) {
    const uint8_t entries =
        family == ChipFamily::Autoselect ? IdEntryAutoselect : IdEntryThreeCycle;
    return PartFacts{.names = names,
                     .id = id,
                     .size = size,
                     .family = family,
                     .idEntries = entries,
                     .programUs = programUs,
                     .chipEraseUs = chipEraseUs,
                     .sectors = sectors,
                     .uniformSector = uniformSector};
}

constexpr PartFacts Uniform(Names names, uint16_t id, uint32_t size, ChipFamily family,
                            uint32_t programUs, uint32_t chipEraseUs, uint32_t sector) {
    return Bytes(names, id, size, family, programUs, chipEraseUs, {}, sector);
}

constexpr ChipFamily Byte = ChipFamily::ByteProgram;
constexpr ChipFamily Amd = ChipFamily::Autoselect;

// Boot-block layouts, from offset 0.
constexpr uint32_t At49f010Sectors[] = {8 * KiB, 120 * KiB};
constexpr uint32_t At49f002Sectors[] = {16 * KiB, 8 * KiB, 8 * KiB, 96 * KiB, 128 * KiB};
constexpr uint32_t At49f002tSectors[] = {128 * KiB, 96 * KiB, 8 * KiB, 8 * KiB, 16 * KiB};
constexpr uint32_t At49f001Sectors[] = {16 * KiB, 8 * KiB, 8 * KiB, 32 * KiB, 64 * KiB};
// A29001: layout not found; the usual 1 Mbit top-boot map picked.
constexpr uint32_t A29001Sectors[] = {64 * KiB, 32 * KiB, 8 * KiB, 8 * KiB, 16 * KiB};
constexpr uint32_t Lv001bbSectors[] = {8 * KiB,  4 * KiB,  4 * KiB,  16 * KiB, 16 * KiB,
                                       16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB};
constexpr uint32_t Lv001btSectors[] = {16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB,
                                       16 * KiB, 16 * KiB, 4 * KiB,  4 * KiB,  8 * KiB};

// W39L: byte 50 us max (35 us typical picked), chip erase 100 ms max (50 ms picked); eight
// uniform sectors as on the W39L040.
constexpr uint32_t W39Program = 35, W39Erase = 50000;
// AT49F: 10 us a byte typical; "erase cycle time 10 seconds", 5 s typical picked.
constexpr uint32_t At49Program = 10, At49Erase = 5000000;
// SST39SF/VF: byte 14 us typical (20 max), chip erase 70 ms typical (100 max), 4 KiB sectors.
constexpr uint32_t Sst39Program = 14, Sst39Erase = 70000;
// AMD 5 V parts: byte 7 us typical picked; the 1 Mbit chip erase picked as 1.5 s, the 4 Mbit
// one as 8 s (about 1 s a 64 KiB sector).
constexpr uint32_t Amd5vProgram = 7, Amd1MbitErase = 1500000, Amd4MbitErase = 8000000;

constexpr PartFacts Parts[] = {
    // Programmed by the driver itself; no datasheet: 4 KiB blocks picked for lock faults.
    PartFacts{.names = {"ATMEL FLASH"},
              .id = 0x631F,
              .size = 128 * KiB,
              .family = ChipFamily::DriverProgrammed,
              .uniformSector = 4 * KiB},
    Pages({"ATMEL AT29C010A", "AT29C010A"}, 0xD51F, 128 * KiB, IdEntryThreeCycle, 128, AtmelPages),
    // The older stepping, which answers only the six-cycle entry.
    Pages({"WINBOND W29EE011/W29C011A", "W29EE011", "W29C011A"}, 0xC1DA, 128 * KiB, IdEntrySixCycle,
          128, WinbondPages),
    Pages({"WINBOND W29C020C", "W29C020C"}, 0x45DA, 256 * KiB, IdEntryThreeCycle | IdEntrySixCycle,
          128, WinbondPages),
    Pages({"WINBOND W29C040", "W29C040"}, 0x46DA, 512 * KiB, IdEntryThreeCycle | IdEntrySixCycle,
          256, WinbondPages),
    Uniform({"WINBOND W39L010", "W39L010"}, 0x31DA, 128 * KiB, Byte, W39Program, W39Erase,
            16 * KiB),
    Uniform({"WINBOND W39L020", "W39L020"}, 0xB5DA, 256 * KiB, Byte, W39Program, W39Erase,
            32 * KiB),
    Uniform({"WINBOND W39L040", "W39L040"}, 0xB6DA, 512 * KiB, Byte, W39Program, W39Erase,
            64 * KiB),
    Uniform({"WINBOND W39L040A", "W39L040A"}, 0xD6DA, 512 * KiB, Byte, W39Program, W39Erase,
            64 * KiB),
    Bytes({"ATMEL AT49F010", "AT49F010"}, 0x171F, 128 * KiB, Byte, At49Program, At49Erase,
          At49f010Sectors),
    Bytes({"ATMEL AT49F002(N)", "AT49F002", "AT49F002N"}, 0x071F, 256 * KiB, Byte, At49Program,
          At49Erase, At49f002Sectors),
    Bytes({"ATMEL AT49F002(N)T", "AT49F002T", "AT49F002NT"}, 0x081F, 256 * KiB, Byte, At49Program,
          At49Erase, At49f002tSectors),
    Bytes({"ATMEL AT49F001", "AT49F001", "AT49F001N"}, 0x051F, 128 * KiB, Byte, At49Program,
          At49Erase, At49f001Sectors),
    Pages({"ATMEL AT29C040", "AT29C040"}, 0x5B1F, 512 * KiB, IdEntryThreeCycle, 512, AtmelPages),
    Pages({"ATMEL AT29C040A", "AT29C040A"}, 0xA41F, 512 * KiB, IdEntryThreeCycle, 256, AtmelPages),
    Pages({"ATMEL AT29LV040", "AT29LV040"}, 0x3B1F, 512 * KiB, IdEntryThreeCycle, 512,
          AtmelLvPages),
    Pages({"ATMEL AT29LV040A", "AT29LV040A"}, 0xC41F, 512 * KiB, IdEntryThreeCycle, 256,
          AtmelLvPages),
    // No source confirms this identity; an SST39SF-style 128 KiB part, found only when named.
    Uniform({"SST 39SF010", "SST39SF010"}, 0xD4BF, 128 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Uniform({"SST 39SF010A", "SST39SF010A"}, 0xB5BF, 128 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Uniform({"SST 39SF020A", "SST39SF020A"}, 0xB6BF, 256 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Uniform({"SST 39SF040", "SST39SF040"}, 0xB7BF, 512 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Uniform({"SST 39VF010", "SST39VF010"}, 0xD5BF, 128 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Uniform({"SST 39VF020", "SST39VF020"}, 0xD6BF, 256 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Uniform({"SST 39VF040", "SST39VF040"}, 0xD7BF, 512 * KiB, Byte, Sst39Program, Sst39Erase,
            4 * KiB),
    Pages({"SST 29EE020", "SST29EE020"}, 0x10BF, 256 * KiB, IdEntryThreeCycle, 128, SstPages),
    Pages({"SST 29LE020", "SST29LE020"}, 0x12BF, 256 * KiB, IdEntryThreeCycle, 128, SstPages),
    Pages({"SST 29EE010", "SST29EE010"}, 0x07BF, 128 * KiB, IdEntryThreeCycle, 128, SstPages),
    Pages({"SST 29LE010", "SST29LE010"}, 0x08BF, 128 * KiB, IdEntryThreeCycle, 128, SstPages),
    // 512 B sectors; no times found: byte 20 us and chip erase 1 s picked.
    Uniform({"MOSEL F29C51001T", "F29C51001T"}, 0x0140, 128 * KiB, Byte, 20, 1000000, 512),
    // Byte 35 us typical; chip erase picked as the AMD 1 Mbit one.
    Bytes({"AMIC A29001/A290011", "A29001", "A290011"}, 0xA137, 128 * KiB, Amd, 35, Amd1MbitErase,
          A29001Sectors),
    Uniform({"AMD29F010", "AM29F010"}, 0x2001, 128 * KiB, Amd, Amd5vProgram, Amd1MbitErase,
            16 * KiB),
    Uniform({"AMD29F040", "AM29F040"}, 0xA401, 512 * KiB, Amd, Amd5vProgram, Amd4MbitErase,
            64 * KiB),
    // Byte 9 us, chip erase 11 s typical.
    Uniform({"AM29LV040"}, 0x4F01, 512 * KiB, Amd, 9, 11000000, 64 * KiB),
    // LV001B: byte 9 us as the LV040; chip erase picked as the 1 Mbit one.
    Bytes({"AM29LV001BT"}, 0xED01, 128 * KiB, Amd, 9, Amd1MbitErase, Lv001btSectors),
    Bytes({"AM29LV001BB"}, 0x6D01, 128 * KiB, Amd, 9, Amd1MbitErase, Lv001bbSectors),
};

constexpr bool SectorsCoverParts() {
    for (const PartFacts& part : Parts) {
        uint32_t total = 0;
        for (uint32_t size : part.sectors) total += size;
        if (part.sectors.empty() && (part.uniformSector == 0 || part.size % part.uniformSector))
            return false;
        if (!part.sectors.empty() && total != part.size) return false;
        if (part.family == ChipFamily::PageWrite && part.size % part.pageSize) return false;
    }
    return true;
}
static_assert(SectorsCoverParts(), "a part's sectors do not tile its size");

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// "0xB5BF" (either case, 1 to 4 digits) -> 0xB5BF.
std::optional<uint16_t> ParseId(std::string_view text) {
    if (text.size() < 3 || text.size() > 6 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text.substr(2)) {
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (digit < 0 || digit > 15) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return static_cast<uint16_t>(value);
}

}  // namespace

std::span<const PartFacts> PartTable() {
    return Parts;
}

const PartFacts* FindPart(std::string_view chip) {
    const std::optional<uint16_t> id = ParseId(chip);
    for (const PartFacts& part : Parts) {
        if (id && part.id == *id) return &part;
        for (std::string_view name : part.names)
            if (!name.empty() && SameText(name, chip)) return &part;
    }
    return nullptr;
}

}  // namespace tarvex::sim
