#pragma once
#include <cstdint>

namespace tarvex::sim {

// The unlock cycles in front of every flash command: AA at the first address, 55 at the
// second, then the command at the first; a command of 80 opens a second AA 55 round whose
// last byte is the six-cycle command. Only the address lines under the mask are decoded.
class UnlockSequence {
public:
    enum class Outcome { Pending, Command, Broken };
    struct Step {
        Outcome outcome = Outcome::Pending;
        uint8_t command = 0;
        bool sixCycle = false;
    };

    UnlockSequence(uint32_t first, uint32_t second, uint32_t addressMask)
        : m_first(first), m_second(second), m_mask(addressMask) {}

    // One bus write. Broken: the write belongs to no sequence (any sequence under way is
    // dropped); a write that can open a new sequence does so instead of breaking.
    Step Feed(uint32_t offset, uint8_t value);
    void Reset() { m_cycle = 0; }
    // True while a sequence is under way.
    bool Pending() const { return m_cycle != 0; }

private:
    Step Restart(uint32_t address, uint8_t value);

    uint32_t m_first;
    uint32_t m_second;
    uint32_t m_mask;
    int m_cycle = 0;  // cycles of the current sequence seen so far
};

}  // namespace tarvex::sim
