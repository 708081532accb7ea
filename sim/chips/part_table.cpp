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

// Every number below carries its source: a datasheet, flashrom's chip table, or "no source
// found; plausible value" where neither gave it (a typical time not published is then taken
// as half the maximum).

// Atmel AT29 page-write parts.
constexpr PartTimes At29Times{
    .program = {5 * Ms, 10 * Ms},     // tWC 10 ms max: AT29C010A datasheet; typ no source found
    .chipErase = {20 * Ms, 20 * Ms},  // no source found; plausible value
    .loadWindow = {150, 150},         // tBLC 150 us: AT29C010A datasheet
    .idEntry = {10 * Ms, 10 * Ms},    // 10 ms pause after entry: AT29C010A datasheet
    .idExit = {10 * Ms, 10 * Ms}};    // 10 ms pause after exit: AT29C010A datasheet
constexpr PartTimes At29LvTimes{
    .program = {10 * Ms, 20 * Ms},    // tWC 20 ms max: AT29LV040A datasheet; typ no source found
    .chipErase = {20 * Ms, 20 * Ms},  // no source found; plausible value
    .loadWindow = {150, 150},         // tBLC 150 us: AT29LV040A datasheet
    .idEntry = {10 * Ms, 10 * Ms},    // as the 5 V parts: AT29LV040A datasheet
    .idExit = {10 * Ms, 10 * Ms}};    // as the 5 V parts: AT29LV040A datasheet
// Winbond W29 page-write parts.
constexpr PartTimes W29Times{
    .program = {5 * Ms, 10 * Ms},     // page cycle 5 ms typ, 10 ms max: W29EE011 datasheet
    .chipErase = {50 * Ms, 50 * Ms},  // chip erase 50 ms: W29EE011 datasheet
    .loadWindow = {200, 300},  // tBLC 200 us, cycle starts 300 us after the last byte: W29EE011
    .idEntry = {10, 10}};      // 10 us pause after entry: W29C020C datasheet
// SST 29EE/LE page-write parts.
constexpr PartTimes Sst29Times{
    .program = {5 * Ms, 10 * Ms},     // page write 5 ms typ, 10 ms max: SST29EE010 datasheet
    .chipErase = {20 * Ms, 20 * Ms},  // no source found; plausible value
    .loadWindow = {100, 200},         // byte-load cycle 100 us, load time-out 200 us: SST29EE010
    .idEntry = {10, 10}};             // ID access 10 us: SST29EE010 datasheet
constexpr PartTimes W39Times{
    .program = {35, 50},                // 50 us max: W39L040 datasheet; typ no source found
    .chipErase = {50 * Ms, 100 * Ms}};  // 100 ms max: W39L040 datasheet; typ no source found
constexpr PartTimes At49Times{
    .program = {10, 50},                // 10 us typ: AT49F001 datasheet; max no source found
    .chipErase = {5 * Sec, 10 * Sec}};  // 10 s cycle: AT49F001 datasheet; typ no source found
constexpr PartTimes Sst39Times{
    .program = {14, 20},                // 14 us typ, 20 us max: SST39SF010A datasheet
    .chipErase = {70 * Ms, 100 * Ms}};  // 70 ms typ, 100 ms max: SST39SF010A datasheet
constexpr PartTimes MoselTimes{
    .program = {20, 50},                // no source found; plausible value
    .chipErase = {1 * Sec, 10 * Sec}};  // no source found; plausible value
constexpr PartTimes Am29F040Times{
    .program = {7, 300},                // 7 us typ, 300 us max: Am29F040B datasheet
    .chipErase = {8 * Sec, 64 * Sec}};  // 8 s typ, 64 s max: Am29F040B datasheet
constexpr PartTimes Am29F010Times{
    .program = {7, 300},  // no source found; plausible value (the Am29F040B's)
    // typ no source found; max: every sector at the Am29F040B's 8 s sector maximum
    .chipErase = {1500 * Ms, 64 * Sec}};
constexpr PartTimes A29001Times{
    .program = {35, 300},                 // 35 us typ: A29001 datasheet; max as the AMD parts
    .chipErase = {1500 * Ms, 40 * Sec}};  // no source found; plausible value (AMD 5 V parts)
constexpr PartTimes Am29Lv040Times{
    .program = {9, 300},  // 9 us typ, 300 us max: Am29LV040B datasheet
    // 11 s typ: Am29LV040B datasheet; max: eight sectors at its 15 s sector maximum
    .chipErase = {11 * Sec, 120 * Sec}};
constexpr PartTimes Am29Lv001Times{
    .program = {9, 300},  // as the Am29LV040B: Am29LV001B datasheet
    // typ no source found; max: ten sectors at the 15 s sector maximum
    .chipErase = {1500 * Ms, 150 * Sec}};

// Command cycles decode A14-A0 on the 5555/2AAA parts (Atmel, SST, Winbond and MOSEL
// datasheets), A10-A0 on AMD's (Am29F010 datasheet), A11-A0 on AMIC's (A29001 datasheet:
// A17-A12 don't care).
constexpr uint32_t LongSetLines = 0x7FFF, AmdLines = 0x7FF, AmicLines = 0xFFF;

struct BootBlocks {
    uint32_t low = 0;
    uint32_t high = 0;
};

constexpr PartFacts Pages(Names names, uint16_t id, uint32_t size, uint8_t entries,
                          uint32_t pageSize, const PartTimes& times, UnloadedBytes unloaded,
                          BootBlocks boot) {
    // Outside the boot blocks a page is the unit these parts rewrite, and the unit a lock
    // fault covers.
    return PartFacts{.names = names,
                     .id = id,
                     .size = size,
                     .family = ChipFamily::PageWrite,
                     .idEntries = entries,
                     .pageSize = pageSize,
                     .times = times,
                     .unloaded = unloaded,
                     .uniformSector = pageSize,
                     .bootBlockLow = boot.low,
                     .bootBlockHigh = boot.high};
}

// Atmel: bytes of a page not loaded are indeterminate (AT29C010A datasheet).
constexpr PartFacts At29(Names names, uint16_t id, uint32_t size, uint32_t pageSize,
                         const PartTimes& times, BootBlocks boot) {
    return Pages(names, id, size, IdEntryThreeCycle, pageSize, times, UnloadedBytes::Indeterminate,
                 boot);
}

// Winbond: bytes of a page not loaded become FF (W29C020C datasheet).
constexpr PartFacts W29(Names names, uint16_t id, uint32_t size, uint8_t entries, uint32_t pageSize,
                        BootBlocks boot) {
    return Pages(names, id, size, entries, pageSize, W29Times, UnloadedBytes::Erased, boot);
}

// SST: what unloaded bytes become, no source found; plausible value (erased, as Winbond's).
constexpr PartFacts Sst29(Names names, uint16_t id, uint32_t size) {
    return Pages(names, id, size, IdEntryThreeCycle, 128, Sst29Times, UnloadedBytes::Erased, {});
}

constexpr PartFacts Bytes(Names names, uint16_t id, uint32_t size, ChipFamily family,
                          const PartTimes& times, std::span<const uint32_t> sectors,
                          uint32_t uniformSector = 0) {
    const bool amd = family == ChipFamily::ShortSet;
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

constexpr PartFacts At49(Names names, uint16_t id, uint32_t size, std::span<const uint32_t> sectors,
                         BootBlocks boot) {
    PartFacts part = Bytes(names, id, size, ChipFamily::ByteProgram, At49Times, sectors);
    part.bootBlockLow = boot.low;
    part.bootBlockHigh = boot.high;
    return part;
}

constexpr PartFacts Amic(Names names, uint16_t id, uint32_t size,
                         std::span<const uint32_t> sectors) {
    PartFacts part = Bytes(names, id, size, ChipFamily::ShortSet, A29001Times, sectors);
    part.commandMask = AmicLines;
    part.idAt3 = 0x7F;  // continuation code in front of AMIC's maker code: A29001 datasheet
    return part;
}

constexpr ChipFamily Byte = ChipFamily::ByteProgram;
constexpr ChipFamily Amd = ChipFamily::ShortSet;

// Sector layouts, from offset 0.
// AT49F010: no source found; plausible value (an 8 KiB boot block, then the rest).
constexpr uint32_t At49f010Sectors[] = {8 * KiB, 120 * KiB};
// AT49F002(N)/(N)T: 16K boot, two 8K parameter blocks, 96K and 128K: AT49F002 datasheet.
constexpr uint32_t At49f002Sectors[] = {16 * KiB, 8 * KiB, 8 * KiB, 96 * KiB, 128 * KiB};
constexpr uint32_t At49f002tSectors[] = {128 * KiB, 96 * KiB, 8 * KiB, 8 * KiB, 16 * KiB};
// AT49F001: 16K boot, two 8K parameter blocks, 32K and 64K main: AT49F001 datasheet.
constexpr uint32_t At49f001Sectors[] = {16 * KiB, 8 * KiB, 8 * KiB, 32 * KiB, 64 * KiB};
// A29001: 8K, 4K, 4K, 16K, then 32K sectors: A29001 datasheet.
constexpr uint32_t A29001Sectors[] = {8 * KiB,  4 * KiB,  4 * KiB, 16 * KiB,
                                      32 * KiB, 32 * KiB, 32 * KiB};
// Am29LV001BB: 8K, 4K, 4K, then 16K sectors; BT mirrored: Am29LV001B datasheet.
constexpr uint32_t Lv001bbSectors[] = {8 * KiB,  4 * KiB,  4 * KiB,  16 * KiB, 16 * KiB,
                                       16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB};
constexpr uint32_t Lv001btSectors[] = {16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB, 16 * KiB,
                                       16 * KiB, 16 * KiB, 4 * KiB,  4 * KiB,  8 * KiB};

// Ids and sizes: flashrom chip table, unless a row says otherwise.
constexpr PartFacts Parts[] = {
    // Programmed by the driver itself: id from the driver's contract; size and 4 KiB lock
    // blocks no source found; plausible value.
    PartFacts{.names = {"ATMEL FLASH"},
              .id = 0x631F,
              .size = 128 * KiB,
              .family = ChipFamily::DriverProgrammed,
              .uniformSector = 4 * KiB},
    // 128-byte pages and two 8 KiB boot blocks with lockout: AT29C010A datasheet.
    At29({"ATMEL AT29C010A", "AT29C010A"}, 0xD51F, 128 * KiB, 128, At29Times, {8 * KiB, 8 * KiB}),
    // The older stepping, which answers only the six-cycle entry; 128-byte pages and no boot
    // block: W29EE011 datasheet.
    W29({"WINBOND W29EE011/W29C011A", "W29EE011", "W29C011A"}, 0xC1DA, 128 * KiB, IdEntrySixCycle,
        128, {}),
    // 128-byte pages, boot blocks of 8 KiB at both ends: W29C020C datasheet.
    W29({"WINBOND W29C020C", "W29C020C"}, 0x45DA, 256 * KiB, IdEntryThreeCycle | IdEntrySixCycle,
        128, {8 * KiB, 8 * KiB}),
    // 256-byte pages, boot blocks of 16 KiB at both ends: W29C040 datasheet.
    W29({"WINBOND W29C040", "W29C040"}, 0x46DA, 512 * KiB, IdEntryThreeCycle | IdEntrySixCycle, 256,
        {16 * KiB, 16 * KiB}),
    // 64 KiB sectors: W39L040 datasheet; the 1 and 2 Mbit parts' no source found; plausible
    // value (eight sectors as on the W39L040).
    Uniform({"WINBOND W39L010", "W39L010"}, 0x31DA, 128 * KiB, Byte, W39Times, 16 * KiB),
    Uniform({"WINBOND W39L020", "W39L020"}, 0xB5DA, 256 * KiB, Byte, W39Times, 32 * KiB),
    Uniform({"WINBOND W39L040", "W39L040"}, 0xB6DA, 512 * KiB, Byte, W39Times, 64 * KiB),
    Uniform({"WINBOND W39L040A", "W39L040A"}, 0xD6DA, 512 * KiB, Byte, W39Times, 64 * KiB),
    // The bottom block locks out: no source found; plausible value (as the AT49F001).
    At49({"ATMEL AT49F010", "AT49F010"}, 0x171F, 128 * KiB, At49f010Sectors, {8 * KiB, 0}),
    // One 16 KiB boot block with lockout, at the bottom or (T) the top: AT49F002 datasheet.
    At49({"ATMEL AT49F002(N)", "AT49F002", "AT49F002N"}, 0x071F, 256 * KiB, At49f002Sectors,
         {16 * KiB, 0}),
    At49({"ATMEL AT49F002(N)T", "AT49F002T", "AT49F002NT"}, 0x081F, 256 * KiB, At49f002tSectors,
         {0, 16 * KiB}),
    // One 16 KiB boot block with lockout at the bottom: AT49F001 datasheet.
    At49({"ATMEL AT49F001", "AT49F001", "AT49F001N"}, 0x051F, 128 * KiB, At49f001Sectors,
         {16 * KiB, 0}),
    // 256-byte pages and two 16 KiB boot blocks with lockout: AT29C040A datasheet; 512-byte
    // pages of the AT29C040 and AT29LV040: flashrom chip table; their boot blocks no source
    // found; plausible value (as the AT29C040A).
    At29({"ATMEL AT29C040", "AT29C040"}, 0x5B1F, 512 * KiB, 512, At29Times, {16 * KiB, 16 * KiB}),
    At29({"ATMEL AT29C040A", "AT29C040A"}, 0xA41F, 512 * KiB, 256, At29Times, {16 * KiB, 16 * KiB}),
    At29({"ATMEL AT29LV040", "AT29LV040"}, 0x3B1F, 512 * KiB, 512, At29LvTimes,
         {16 * KiB, 16 * KiB}),
    At29({"ATMEL AT29LV040A", "AT29LV040A"}, 0xC41F, 512 * KiB, 256, At29LvTimes,
         {16 * KiB, 16 * KiB}),
    // No source confirms this identity; device code 0xD4 is SST's 64 KiB part (flashrom chip
    // table), so it is modelled as that one, found only when a rig names it.
    Uniform({"SST 39SF010", "SST39VF512", "SST39LF512"}, 0xD4BF, 64 * KiB, Byte, Sst39Times,
            4 * KiB),
    // 4 KiB sectors: SST39SF010A datasheet.
    Uniform({"SST 39SF010A", "SST39SF010A"}, 0xB5BF, 128 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39SF020A", "SST39SF020A"}, 0xB6BF, 256 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39SF040", "SST39SF040"}, 0xB7BF, 512 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39VF010", "SST39VF010"}, 0xD5BF, 128 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39VF020", "SST39VF020"}, 0xD6BF, 256 * KiB, Byte, Sst39Times, 4 * KiB),
    Uniform({"SST 39VF040", "SST39VF040"}, 0xD7BF, 512 * KiB, Byte, Sst39Times, 4 * KiB),
    // 128-byte pages: SST29EE010 datasheet.
    Sst29({"SST 29EE020", "SST29EE020"}, 0x10BF, 256 * KiB),
    Sst29({"SST 29LE020", "SST29LE020"}, 0x12BF, 256 * KiB),
    Sst29({"SST 29EE010", "SST29EE010"}, 0x07BF, 128 * KiB),
    Sst29({"SST 29LE010", "SST29LE010"}, 0x08BF, 128 * KiB),
    // 512 B sectors: the MOSEL V29C51000T datasheet gives them for the family.
    Uniform({"MOSEL F29C51001T", "F29C51001T"}, 0x0140, 128 * KiB, Byte, MoselTimes, 512),
    Amic({"AMIC A29001/A290011", "A29001", "A290011"}, 0xA137, 128 * KiB, A29001Sectors),
    // 16 KiB sectors: Am29F010 datasheet.
    Uniform({"AMD29F010", "AM29F010"}, 0x2001, 128 * KiB, Amd, Am29F010Times, 16 * KiB),
    // 64 KiB sectors: Am29F040B and Am29LV040B datasheets.
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
        if (part.bootBlockLow + part.bootBlockHigh > part.size) return false;
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
