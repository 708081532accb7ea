#include "sim/chips/chip_timing.h"

#include <charconv>

namespace tarvex::sim {

namespace {

constexpr std::string_view RandomPrefix = "random:";

bool ParseSeed(std::string_view text, uint64_t& seed) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed, base);
    return error == std::errc() && end == text.data() + text.size();
}

// SplitMix64: small, and the same sequence on every platform and library.
uint64_t NextRandom(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

}  // namespace

bool ParseChipTiming(std::string_view text, ChipTiming& timing) {
    if (text == "typical" || text == "max") {
        timing = {text == "max" ? ChipTiming::Pace::Max : ChipTiming::Pace::Typical, 0};
        return true;
    }
    uint64_t seed = 0;
    if (text.substr(0, RandomPrefix.size()) != RandomPrefix ||
        !ParseSeed(text.substr(RandomPrefix.size()), seed))
        return false;
    timing = {ChipTiming::Pace::Random, seed};
    return true;
}

DurationPicker::DurationPicker(const ChipTiming& timing)
    : m_pace(timing.pace), m_state(timing.seed) {}

uint64_t DurationPicker::Pick(const TimeRange& range) {
    switch (m_pace) {
    case ChipTiming::Pace::Typical: return range.typicalUs;
    case ChipTiming::Pace::Max: return range.maxUs;
    case ChipTiming::Pace::Random: break;
    }
    if (range.maxUs <= range.typicalUs) return range.maxUs;
    const uint64_t span = uint64_t{range.maxUs} - range.typicalUs + 1;
    return range.typicalUs + NextRandom(m_state) % span;
}

}  // namespace tarvex::sim
