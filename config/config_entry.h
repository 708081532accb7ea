#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

// Kind of a parameter entry embedded in a BIOS image; None marks a row never filled.
enum class ConfigEntryKind : int32_t {
    None = 0,
    Switch = 1,       // "<VL>", one byte, 0 = Disable, 1 = Enable
    ByteNumber = 2,   // "<VB", one byte
    WordNumber = 3,   // "<VW", two bytes
    DwordNumber = 4,  // "<VD", four bytes, edited as 16 bits
};

inline constexpr size_t ConfigLabelSize = 40;
inline constexpr size_t ConfigEntryCapacity = 20;
inline constexpr size_t ConfigSlotCount = 9;

// Limits used for a number entry whose marker carries no "min,max" text: the whole editor range.
inline constexpr int32_t ConfigDefaultMin = 0;
inline constexpr int32_t ConfigDefaultMax = 65535;

struct ConfigEntry {
    ConfigEntryKind kind = ConfigEntryKind::None;
    std::array<char, ConfigLabelSize> label{};  // NUL-terminated only once the entry is complete
    int32_t min = 0;
    int32_t max = 0;
    uint32_t value = 0;     // stored value as read from the image
    size_t location = 0;    // offset of the stored value in the image buffer
    bool hasLimits = false; // the marker carried "min,max" text
};

// "switch", "byte", "word" or "dword"; "unknown" for anything else.
std::string_view ConfigEntryKindName(ConfigEntryKind kind);

// Width in bytes of the stored value, 0 for a kind without one.
size_t ConfigValueWidth(ConfigEntryKind kind);

// The label up to its NUL, never reading past its 40 bytes.
std::string ConfigLabelText(const ConfigEntry& entry);

}  // namespace tarvex
