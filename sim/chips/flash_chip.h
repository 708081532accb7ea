#pragma once
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "sim/chips/chip_model.h"
#include "sim/chips/part_facts.h"

namespace tarvex::sim {

// What every flash model shares: the cells with their faults, the sector map, and the one
// internal operation (program, page write or erase) that may be running. Cells change when
// the operation completes, so a process killed in the middle leaves them as they were.
// The store and the clock must outlive the model.
class FlashChip : public ChipModel {
public:
    FlashChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
              const ChipFaults& faults, const ChipTiming& timing);
    ~FlashChip() override;
    FlashChip(const FlashChip&) = delete;
    FlashChip& operator=(const FlashChip&) = delete;

    uint32_t Size() const override { return m_part.size; }

protected:
    static constexpr uint64_t Forever = std::numeric_limits<uint64_t>::max();

    struct Sector {
        uint32_t start;
        uint32_t size;
    };

    uint64_t Now() const { return m_clock.NowUs(); }
    // This operation's time, picked from the datasheet range by the rig's chip timing.
    uint64_t Pick(const TimeRange& range) { return m_durations.Pick(range); }
    // Address lines above the part's are not connected.
    uint32_t Wrap(uint32_t offset) const { return offset % m_part.size; }
    Sector SectorAt(uint32_t offset) const;
    // What a lock covers: the boot block holding the offset, else its sector.
    Sector LockUnitAt(uint32_t offset) const;
    bool IsLocked(uint32_t offset) const;
    bool AllLocked() const;
    // True when programming somewhere in [start, start + length) hangs by fault.
    bool HangsProgram(uint32_t start, uint32_t length) const;

    // Completes the running operation once its time is up; a family first turns its own
    // pending work (a page load) into an operation.
    void Settle();
    virtual void SettlePending() {}
    bool Busy() const { return m_op.kind != OperationKind::None; }
    // An AMD-style part gives up once an operation outlasts its datasheet maximum: DQ5 reads 1
    // and the status stays until a reset abandons the operation.
    bool TimeLimitExceeded() const { return Busy() && Now() >= m_op.limitUs; }
    void Abandon();

    // Status of the running operation: DQ7 the complement of the data (0 while erasing),
    // DQ6 toggling on every read, DQ4-DQ0 those of the data. A page cycle's datasheets define
    // DATA polling at the last byte loaded only; every other address answers with that same
    // status, never with the new data.
    uint8_t StatusRead();
    uint8_t StatusFor(uint8_t value);
    // The array as read in read mode, faults applied.
    uint8_t ArrayRead(uint32_t offset) const;
    // Boot-block lockout codes in ID mode: FE while the block can be programmed, FF once it
    // is locked out.
    std::optional<uint8_t> BootBlockCode(uint32_t offset) const;

    // limitUs: when an AMD-style part reports the operation as failed (never, by default).
    void StartProgram(uint32_t offset, uint8_t value, uint64_t endUs, uint64_t limitUs = Forever);
    void StartPageWrite(uint32_t start, std::vector<uint8_t> bytes, uint8_t last, uint64_t endUs);
    void StartErase(uint64_t endUs, uint64_t limitUs = Forever);
    // A write cycle that changes nothing.
    void StartDummy(uint8_t value, uint64_t endUs);
    // Erases every sector not locked, at once (the driver-programmed chip).
    void EraseUnlocked();

    const PartFacts& m_part;
    ChipStore& m_store;
    const ModelClock& m_clock;
    const ChipFaults m_faults;

private:
    enum class OperationKind { None, Program, PageWrite, Erase, Dummy };
    struct Operation {
        OperationKind kind = OperationKind::None;
        uint32_t start = 0;
        std::vector<uint8_t> bytes;
        uint8_t status = 0;  // the data DQ7 reports the complement of
        uint64_t endUs = 0;
        uint64_t limitUs = Forever;
    };

    void Start(Operation op);
    void Complete();
    // A page rewritten more often than a flaky-page fault allows reads back wrong.
    void CountRewrites(uint32_t start, uint32_t length);
    uint32_t FlakyPage(uint32_t offset) const;

    DurationPicker m_durations;
    Operation m_op;
    bool m_toggle = false;
    std::set<uint32_t> m_lockedSectors;       // sector starts
    std::map<uint32_t, uint8_t> m_weakCells;  // wrapped offset -> value read
    std::map<uint32_t, int> m_flakyLimits;    // page start -> rewrites that succeed
    std::map<uint32_t, int> m_rewrites;       // page start -> rewrites seen
};

}  // namespace tarvex::sim
