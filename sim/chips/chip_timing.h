#pragma once
#include <cstdint>
#include <string_view>

namespace tarvex::sim {

// A datasheet time: the typical value and the maximum, in microseconds.
struct TimeRange {
    uint32_t typicalUs = 0;
    uint32_t maxUs = 0;
};

// How the models run their parts: every operation at its typical time, at its maximum, or
// at a seeded point between the two, picked anew for each operation.
struct ChipTiming {
    enum class Pace : uint8_t { Typical, Max, Random };
    Pace pace = Pace::Typical;
    uint64_t seed = 0;
};

// "typical", "max" or "random:SEED" (SEED decimal or 0x hexadecimal); false for anything else.
bool ParseChipTiming(std::string_view text, ChipTiming& timing);

// Picks operation times for one chip; a random pace gives the same picks for the same seed.
class DurationPicker {
public:
    explicit DurationPicker(const ChipTiming& timing);
    uint64_t Pick(const TimeRange& range);

private:
    ChipTiming::Pace m_pace;
    uint64_t m_state;
};

}  // namespace tarvex::sim
