#include <algorithm>
#include <cctype>
#include <optional>

#include "sim/chips/part_facts.h"

namespace tarvex::sim {

namespace {

using Names = std::array<std::string_view, 4>;
constexpr uint32_t KiB = 1024;

constexpr uint32_t Ms = 1000;
constexpr uint32_t Sec = 1000000;

// The timing table: each part family's times, typical and maximum, in microseconds. Sources
// are the parts' datasheets; "picked" marks a value no source gave, chosen as plausible for
// the part and its era. A typical time not published is picked as half the maximum.
//
// AT29C010A/C040/C040A: tWC 10 ms max; tBLC 150 us; the product-ID flow pauses 10 ms after
// entry and after exit, and the exit runs a write cycle (flashrom probes these parts with the
// same 10 ms); software chip erase 20 ms, picked.
constexpr PartTimes At29Times{.program = {5 * Ms, 10 * Ms},
                              .chipErase = {20 * Ms, 20 * Ms},
                              .loadWindow = {150, 150},
                              .idEntry = {10 * Ms, 10 * Ms},
                              .idExit = {10 * Ms, 10 * Ms}};
// AT29LV040/LV040A: tWC 20 ms max (low voltage); the rest as the 5 V parts.
constexpr PartTimes At29LvTimes{.program = {10 * Ms, 20 * Ms},
                                .chipErase = {20 * Ms, 20 * Ms},
                                .loadWindow = {150, 150},
                                .idEntry = {10 * Ms, 10 * Ms},
                                .idExit = {10 * Ms, 10 * Ms}};
// W29EE011/C020C/C040: page cycle 5 ms typical, 10 ms max; tBLC 200 us, programming starts
// 300 us after the last byte at the latest; chip erase 50 ms; 10 us pause after ID entry.
constexpr PartTimes W29Times{.program = {5 * Ms, 10 * Ms},
                             .chipErase = {50 * Ms, 50 * Ms},
                             .loadWindow = {200, 300},
                             .idEntry = {10, 10}};
// SST29EE/LE: page write 5 ms typical, 10 ms max; byte-load cycle 100 us, load time-out
// 200 us; ID access 10 us; chip erase 20 ms, picked.
constexpr PartTimes Sst29Times{.program = {5 * Ms, 10 * Ms},
                               .chipErase = {20 * Ms, 20 * Ms},
                               .loadWindow = {100, 200},
                               .idEntry = {10, 10}};
// W39L: byte 50 us max, chip erase 100 ms max (W39L040); typicals picked.
constexpr PartTimes W39Times{.program = {35, 50}, .chipErase = {50 * Ms, 100 * Ms}};
// AT49F: byte 10 us typical (50 us max picked); chip erase cycle 10 s.
constexpr PartTimes At49Times{.program = {10, 50}, .chipErase = {5 * Sec, 10 * Sec}};
// SST39SF/VF: byte 14 us typical, 20 us max; chip erase 70 ms typical, 100 ms max.
constexpr PartTimes Sst39Times{.program = {14, 20}, .chipErase = {70 * Ms, 100 * Ms}};
// MOSEL F29C51001T: no times found; all picked as a 5 V 1 Mbit part of its era.
constexpr PartTimes MoselTimes{.program = {20, 50}, .chipErase = {1 * Sec, 10 * Sec}};
// Am29F040B: byte 7 us typical, 300 us max; chip erase 8 s typical, 64 s max (sector 8 s max).
constexpr PartTimes Am29F040Times{.program = {7, 300}, .chipErase = {8 * Sec, 64 * Sec}};
// Am29F010: as the F040B a byte; chip erase 1.5 s typical picked, the maximum taken as every
// sector at the 8 s sector maximum.
constexpr PartTimes Am29F010Times{.program = {7, 300}, .chipErase = {1500 * Ms, 64 * Sec}};
// A29001/A290011: byte 35 us typical; the rest picked as the AMD 5 V parts (five sectors).
constexpr PartTimes A29001Times{.program = {35, 300}, .chipErase = {1500 * Ms, 40 * Sec}};
// Am29LV040B: byte 9 us typical, 300 us max; chip erase 11 s typical, no maximum published:
// taken as eight sectors at the 15 s sector maximum.
constexpr PartTimes Am29Lv040Times{.program = {9, 300}, .chipErase = {11 * Sec, 120 * Sec}};
// Am29LV001B: as the LV040B a byte; chip erase 1.5 s typical picked, ten sectors at 15 s max.
constexpr PartTimes Am29Lv001Times{.program = {9, 300}, .chipErase = {1500 * Ms, 150 * Sec}};

// Command cycles decode A14-A0 on the 5555/2AAA parts, A10-A0 on AMD's, A11-A0 on AMIC's.
constexpr uint32_t LongSetLines = 0x7FFF, AmdLines = 0x7FF, AmicLines = 0xFFF;

constexpr PartFacts Pages(Names names, uint16_t id, uint32_t size, uint8_t entries,
                          uint32_t pageSize, const PartTimes& times, UnloadedBytes unloaded,
                          bool bootBlockCodes) {
    // A page is the unit these parts rewrite, and the unit a boot-block lock fault covers.
    return PartFacts{.names = names,
                     .id = id,
                     .size = size,
                     .family = ChipFamily::PageWrite,
                     .idEntries = entries,
                     .pageSize = pageSize,
                     .times = times,
                     .unloaded = unloaded,
                     .uniformSector = pageSize,
                     .bootBlockCodes = bootBlockCodes};
}

constexpr PartFacts At29(Names names, uint16_t id, uint32_t size, uint32_t pageSize,
                         const PartTimes& times) {
    return Pages(names, id, size, IdEntryThreeCycle, pageSize, times,
                 UnloadedBytes::Indeterminate, true);
}

constexpr PartFacts W29(Names names, uint16_t id, uint32_t size, uint8_t entries,
                        uint32_t pageSize) {
    return Pages(names, id, size, entries, pageSize, W29Times, UnloadedBytes::Erased, false);
}

constexpr PartFacts Sst29(Names names, uint16_t id, uint32_t size) {
    return Pages(names, id, size, IdEntryThreeCycle, 128, Sst29Times, UnloadedBytes::Erased,
                 false);
}

constexpr PartFacts Bytes(Names names, uint16_t id, uint32_t size, ChipFamily family,
                          const PartTimes& times, std::span<const uint32_t> sectors,
                          uint32_t uniformSector = 0) {
    const bool amd = family == ChipFamily::Autoselect;
    return PartFacts{.names = names,
                     .id = id,
                     .size = size,
                     .family = family,
                     .idEntries = amd ? IdEntryAutoselect : IdEntryThreeCycle,
                     .times = times,
                     .commandMask = amd ? AmdLines : LongSetLines,
                     .sectors = sectors,
                     .uniformSector = uniformSector};
}

constexpr PartFacts Uniform(Names names, uint16_t id, uint32_t size, ChipFamily family,
                            const PartTimes& times, uint32_t sector) {
    return Bytes(names, id, size, family, times, {}, sector);
}

constexpr PartFacts At49(Names names, uint16_t id, uint32_t size,
                         std::span<const uint32_t> sectors) {
    PartFacts part = Bytes(names, id, size, ChipFamily::ByteProgram, At49Times, sectors);
    part.bootBlockCodes = true;
    return part;
}

constexpr PartFacts Amic(Names names, uint16_t id, uint32_t size,
                         std::span<const uint32_t> sectors) {
    PartFacts part = Bytes(names, id, size, ChipFamily::Autoselect, A29001Times, sectors);
    part.commandMask = AmicLines;
    part.idAt3 = 0x7F;  // the continuation code in front of AMIC's maker code
    return part;
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

constexpr PartFacts Parts[] = {
    // Programmed by the driver itself; no datasheet: 4 KiB blocks picked for lock faults.
    PartFacts{.names = {"ATMEL FLASH"},
              .id = 0x631F,
              .size = 128 * KiB,
              .family = ChipFamily::DriverProgrammed,
              .uniformSector = 4 * KiB},
    At29({"ATMEL AT29C010A", "AT29C010A"}, 0xD51F, 128 * KiB, 128, At29Times),
    // The older stepping, which answers only the six-cycle entry.
    W29({"WINBOND W29EE011/W29C011A", "W29EE011", "W29C011A"}, 0xC1DA, 128 * KiB,
        IdEntrySixCycle, 128),
    W29({"WINBOND W29C020C", "W29C020C"}, 0x45DA, 256 * KiB, IdEntryThreeCycle | IdEntrySixCycle,
        128),
    W29({"WINBOND W29C040", "W29C040"}, 0x46DA, 512 * KiB, IdEntryThreeCycle | IdEntrySixCycle,
        256),
    // Eight uniform sectors as on the W39L040.
    Uniform({"WINBOND W39L010", "W39L010"}, 0x31DA, 128 * KiB, Byte, W39Times, 16 * KiB),
    Uniform({"WINBOND W39L020", "W39L020"}, 0xB5DA, 256 * KiB, Byte, W39Times, 32 * KiB),
    Uniform({"WINBOND W39L040", "W39L040"}, 0xB6DA, 512 * KiB, Byte, W39Times, 64 * KiB),
    Uniform({"WINBOND W39L040A", "W39L040A"}, 0xD6DA, 512 * KiB, Byte, W39Times, 64 * KiB),
    At49({"ATMEL AT49F010", "AT49F010"}, 0x171F, 128 * KiB, At49f010Sectors),
    At49({"ATMEL AT49F002(N)", "AT49F002", "AT49F002N"}, 0x071F, 256 * KiB, At49f002Sectors),
    At49({"ATMEL AT49F002(N)T", "AT49F002T", "AT49F002NT"}, 0x081F, 256 * KiB, At49f002tSectors),
    At49({"ATMEL AT49F001", "AT49F001", "AT49F001N"}, 0x051F, 128 * KiB, At49f001Sectors),
    At29({"ATMEL AT29C040", "AT29C040"}, 0x5B1F, 512 * KiB, 512, At29Times),
    At29({"ATMEL AT29C040A", "AT29C040A"}, 0xA41F, 512 * KiB, 256, At29Times),
    At29({"ATMEL AT29LV040", "AT29LV040"}, 0x3B1F, 512 * KiB, 512, At29LvTimes),
    At29({"ATMEL AT29LV040A", "AT29LV040A"}, 0xC41F, 512 * KiB, 256, At29LvTimes),
    // No source confirms this identity; device code 0xD4 is SST's 64 KiB part, so it is
    // modelled as that one, found only when a rig names it.
    Uniform({"SST 39SF010", "SST39VF512", "SST39LF512"}, 0xD4BF, 64 * KiB, Byte, Sst39Times,
            4 * KiB),
    Uniform({"SST 39SF010A", "SST39SF010A"}, 0xB5BF, 128 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39SF020A", "SST39SF020A"}, 0xB6BF, 256 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39SF040", "SST39SF040"}, 0xB7BF, 512 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39VF010", "SST39VF010"}, 0xD5BF, 128 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39VF020", "SST39VF020"}, 0xD6BF, 256 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39VF040", "SST39VF040"}, 0xD7BF, 512 * KiB, Byte, Sst39Times, 4 * KiB),
    Sst29({"SST 29EE020", "SST29EE020"}, 0x10BF, 256 * KiB),
    Sst29({"SST 29LE020", "SST29LE020"}, 0x12BF, 256 * KiB),
    Sst29({"SST 29EE010", "SST29EE010"}, 0x07BF, 128 * KiB),
    Sst29({"SST 29LE010", "SST29LE010"}, 0x08BF, 128 * KiB),
    // 512 B sectors.
    Uniform({"MOSEL F29C51001T", "F29C51001T"}, 0x0140, 128 * KiB, Byte, MoselTimes, 512),
    Amic({"AMIC A29001/A290011", "A29001", "A290011"}, 0xA137, 128 * KiB, A29001Sectors),
    Uniform({"AMD29F010", "AM29F010"}, 0x2001, 128 * KiB, Amd, Am29F010Times, 16 * KiB),
    Uniform({"AMD29F040", "AM29F040"}, 0xA401, 512 * KiB, Amd, Am29F040Times, 64 * KiB),
    Uniform({"AM29LV040"}, 0x4F01, 512 * KiB, Amd, Am29Lv040Times, 64 * KiB),
    Bytes({"AM29LV001BT"}, 0xED01, 128 * KiB, Amd, Am29Lv001Times, Lv001btSectors),
    Bytes({"AM29LV001BB"}, 0x6D01, 128 * KiB, Amd, Am29Lv001Times, Lv001bbSectors),
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

constexpr bool Ordered(const TimeRange& range) { return range.typicalUs <= range.maxUs; }

constexpr bool TimesAreRanges() {
    for (const PartFacts& part : Parts) {
        const PartTimes& t = part.times;
        if (!Ordered(t.program) || !Ordered(t.chipErase) || !Ordered(t.loadWindow) ||
            !Ordered(t.idEntry) || !Ordered(t.idExit))
            return false;
    }
    return true;
}
static_assert(TimesAreRanges(), "a typical time exceeds its maximum");

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
