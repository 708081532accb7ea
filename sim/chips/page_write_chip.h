#pragma once
#include <vector>

#include "sim/chips/flash_chip.h"
#include "sim/chips/unlock_sequence.h"

namespace tarvex::sim {

// Page-write parts (Atmel AT29, Winbond W29, SST 29EE/LE): a page of bytes is loaded and
// then rewritten as a whole. The load window times every cycle, the command prefix's too: a
// load, a prefix without its data or an unfinished sequence ends when nothing comes within
// it, and a write cycle starts. AA 55 A0 in front of a load turns software data protection
// on, after which a write without it runs a write cycle that changes nothing.
class PageWriteChip : public FlashChip {
public:
    PageWriteChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                  const ChipFaults& faults, const ChipTiming& timing);
    ~PageWriteChip() override;

    uint8_t Read(uint32_t offset) override;
    void Write(uint32_t offset, uint8_t value) override;

private:
    // What the part does with the next bus access. Besides the accesses, time moves it on:
    // Loading and Armed (and a command sequence under way) end in Busy when their window
    // closes, and Busy ends in ReadArray when the write cycle is over.
    enum class Mode {
        ReadArray,  // reads see the array; writes go to the command decoder
        IdMode,     // reads see the ids (once settled); writes go to the command decoder
        Armed,      // a prefix came: the next write opens a load
        Loading,    // bytes of one page come in; reads see the last one's status
        Busy,       // a write cycle (or erase) runs: reads see status, writes are lost
    };
    struct Load {
        bool discard = false;  // a write refused by data protection
        uint32_t page = 0;
        uint64_t lastUs = 0;
        uint64_t windowUs = 0;
        uint8_t last = 0;
        std::vector<uint8_t> bytes;
        std::vector<bool> loaded;
    };
    // The last cycle of a sequence under way, or of a prefix waiting for its data.
    struct PrefixCycle {
        uint64_t atUs = 0;
        uint64_t windowUs = 0;
        uint8_t value = 0;
    };

    void CatchUp();
    void SettlePending() override;
    void Decode(uint32_t offset, uint8_t value);
    void TrackPrefix(uint8_t value);
    void OnCommand(const UnlockSequence::Step& step, uint32_t offset, uint8_t value);
    void Arm(bool protect, uint8_t value);
    void OrdinaryWrite(uint32_t offset, uint8_t value);
    void EnterIdMode();
    void ExitIdMode(uint8_t value);
    void BeginLoad(uint32_t offset, uint8_t value, bool discard);
    void LoadByte(uint32_t offset, uint8_t value);
    void CloseLoad(uint64_t programStartUs);
    uint8_t IdRead(uint32_t offset) const;

    Mode m_mode = Mode::ReadArray;
    UnlockSequence m_sequence;
    Load m_load;               // Loading
    PrefixCycle m_prefix;      // Armed, or a sequence under way
    uint64_t m_idSinceUs = 0;  // IdMode
    uint64_t m_idEntryUs = 0;
};

}  // namespace tarvex::sim
