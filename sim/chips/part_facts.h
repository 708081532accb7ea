#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvex::sim {

// How a part is written: whole pages that replace themselves, single bytes after an erase
// on the 5555/2AAA set, single bytes after an erase on AMD's 555/2AA set, or by the driver.
enum class ChipFamily : uint8_t { PageWrite, ByteProgram, Autoselect, DriverProgrammed };

// ID-entry methods a part answers (bit set).
inline constexpr uint8_t IdEntryThreeCycle = 0x01;  // AA 55 90 on 5555/2AAA
inline constexpr uint8_t IdEntrySixCycle = 0x02;    // AA 55 80 AA 55 60 on 5555/2AAA
inline constexpr uint8_t IdEntryAutoselect = 0x04;  // AA 55 90 on 555/2AA

// What a page-write part puts into the bytes of a page that were not loaded.
enum class UnloadedBytes : uint8_t { Erased, Indeterminate };

// One part's datasheet facts. Times are typical ones, in microseconds.
struct PartFacts {
    std::array<std::string_view, 4> names{};  // catalogue spelling first, then datasheet ones
    uint16_t id = 0;                          // (device << 8) | maker
    uint32_t size = 0;
    ChipFamily family = ChipFamily::ByteProgram;
    uint8_t idEntries = 0;
    uint32_t pageSize = 0;        // page-write parts only
    uint32_t programUs = 0;       // one byte, or one page cycle for page-write parts
    uint32_t chipEraseUs = 0;     // 0: the part has no chip erase command
    uint32_t loadWindowUs = 0;    // page load: the next byte must come within this
    uint32_t programStartUs = 0;  // page load: programming starts this long after the last byte
    uint32_t idEntryUs = 0;       // IDs read right only this long after the entry command
    UnloadedBytes unloaded = UnloadedBytes::Erased;
    std::span<const uint32_t> sectors{};  // sector sizes from offset 0; empty: uniformSector
    uint32_t uniformSector = 0;
};

// Every part the simulator models.
std::span<const PartFacts> PartTable();

// By catalogue or datasheet name (case-insensitive) or by id text ("0xB5BF"); null when
// unknown, and for "none", the empty socket.
const PartFacts* FindPart(std::string_view chip);

}  // namespace tarvex::sim
