#pragma once
#include <vector>

#include "sim/chips/flash_chip.h"
#include "sim/chips/unlock_sequence.h"

namespace tarvex::sim {

// Page-write parts (Atmel AT29, Winbond W29, SST 29EE/LE): a page of bytes is loaded and
// then rewritten as a whole; AA 55 A0 in front of a load also turns software data
// protection on, after which a load without it runs a write cycle that changes nothing.
class PageWriteChip : public FlashChip {
public:
    PageWriteChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                  const ChipFaults& faults);
    ~PageWriteChip() override;

    uint8_t Read(uint32_t offset) override;
    void Write(uint32_t offset, uint8_t value) override;

private:
    struct Load {
        bool active = false;
        bool discard = false;  // a write refused by data protection
        uint32_t page = 0;
        uint64_t lastUs = 0;
        uint8_t last = 0;
        std::vector<uint8_t> bytes;
        std::vector<bool> loaded;
    };

    void SettlePending() override;
    void OnCommand(const UnlockSequence::Step& step, uint32_t offset, uint8_t value);
    void OrdinaryWrite(uint32_t offset, uint8_t value);
    void EnterIdMode();
    void BeginLoad(uint32_t offset, uint8_t value, bool discard);
    void LoadByte(uint32_t offset, uint8_t value);
    void CloseLoad(uint64_t programStartUs);
    uint8_t IdRead(uint32_t offset) const;

    UnlockSequence m_sequence;
    Load m_load;
    // Data protection is non-volatile and every prefixed write turns it on, so a part that
    // has ever been programmed has it: the model starts with it on.
    bool m_protected = true;
    bool m_armed = false;  // the prefix came; the next write opens a load
    uint64_t m_armedUs = 0;
    bool m_idMode = false;
    uint64_t m_idSinceUs = 0;
};

}  // namespace tarvex::sim
