#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "sim/chips/chip_timing.h"

namespace tarvex::sim {

// How a part is written: whole pages that replace themselves, single bytes after an erase
// on the 5555/2AAA set, single bytes after an erase on AMD's 555/2AA set, or by the driver.
enum class ChipFamily : uint8_t { PageWrite, ByteProgram, ShortSet, DriverProgrammed };

// ID-entry methods a part answers (bit set).
inline constexpr uint8_t IdEntryThreeCycle = 0x01;  // AA 55 90 on 5555/2AAA
inline constexpr uint8_t IdEntrySixCycle = 0x02;    // AA 55 80 AA 55 60 on 5555/2AAA
inline constexpr uint8_t IdEntryAutoselect = 0x04;  // AA 55 90 on 555/2AA

// What a page-write part puts into the bytes of a page that were not loaded.
enum class UnloadedBytes : uint8_t { Erased, Indeterminate };

// A part's datasheet times, typical and maximum.
struct PartTimes {
    TimeRange program{};     // one byte, or one page cycle (tWC) for page-write parts
    TimeRange chipErase{};   // zero: the part has no chip erase command
    TimeRange loadWindow{};  // page-write parts: a load (or a command prefix) ends when no cycle
                             // comes within this, and the write cycle starts then
    TimeRange idEntry{};     // IDs read right only this long after the entry command
    TimeRange idExit{};      // Atmel AT29: the exit runs a write cycle of its own this long
};

// One part's datasheet facts.
struct PartFacts {
    std::array<std::string_view, 4> names{};  // catalogue spelling first, then datasheet ones
    uint16_t id = 0;                          // (device << 8) | maker
    uint32_t size = 0;
    ChipFamily family = ChipFamily::ByteProgram;
    uint8_t idEntries = 0;
    uint32_t pageSize = 0;  // page-write parts only
    PartTimes times{};
    uint32_t commandMask = 0x7FFF;  // the address lines decoded in command cycles
    UnloadedBytes unloaded = UnloadedBytes::Erased;
    std::span<const uint32_t> sectors{};  // sector sizes from offset 0; empty: uniformSector
    uint32_t uniformSector = 0;
    // Boot blocks with a programming lockout, at the bottom and at the top of the part (sizes;
    // 0: none). In ID mode address 2 reports the bottom one, size - 14 the top one: FE while
    // the block can be programmed, FF once it is locked out.
    uint32_t bootBlockLow = 0;
    uint32_t bootBlockHigh = 0;
    uint8_t idAt3 = 0;  // autoselect: what ID mode reads at A1 A0 = 11
};

// Every part the simulator models.
std::span<const PartFacts> PartTable();

// By catalogue or datasheet name (case-insensitive) or by id text ("0xB5BF"); null when
// unknown, and for "none", the empty socket.
const PartFacts* FindPart(std::string_view chip);

}  // namespace tarvex::sim
