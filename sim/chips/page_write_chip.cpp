#include "sim/chips/page_write_chip.h"

#include <utility>

namespace tarvex::sim {

namespace {
// Atmel leaves the bytes of a page that were not loaded indeterminate; the model makes them
// a value that cannot pass for the old data.
constexpr uint8_t IndeterminateFlip = 0x5A;
}  // namespace

PageWriteChip::PageWriteChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                             const ChipFaults& faults)
    : FlashChip(part, store, clock, faults), m_sequence(0x5555, 0x2AAA, 0x7FFF) {}

PageWriteChip::~PageWriteChip() {
    Settle();
}

uint8_t PageWriteChip::Read(uint32_t offset) {
    Settle();
    // A read during the load polls the byte last loaded.
    if (m_load.active) return StatusFor(m_load.last);
    if (Busy()) return StatusRead();
    if (m_idMode) return IdRead(Wrap(offset));
    return ArrayRead(offset);
}

void PageWriteChip::Write(uint32_t offset, uint8_t value) {
    Settle();
    if (Busy()) return;
    offset = Wrap(offset);
    if (m_load.active) {
        LoadByte(offset, value);
        return;
    }
    if (m_armed) {
        m_armed = false;
        if (Now() - m_armedUs <= m_part.loadWindowUs) {
            BeginLoad(offset, value, false);
            return;
        }
    }
    const UnlockSequence::Step step = m_sequence.Feed(offset, value);
    if (step.outcome == UnlockSequence::Outcome::Command)
        OnCommand(step, offset, value);
    else if (step.outcome == UnlockSequence::Outcome::Broken)
        OrdinaryWrite(offset, value);
}

void PageWriteChip::SettlePending() {
    if (m_load.active && Now() - m_load.lastUs > m_part.loadWindowUs)
        CloseLoad(m_load.lastUs + m_part.programStartUs);
}

void PageWriteChip::OnCommand(const UnlockSequence::Step& step, uint32_t offset, uint8_t value) {
    const uint8_t answers = m_part.idEntries;
    switch (step.sixCycle ? 0x100 | step.command : step.command) {
    case 0x90:
        if (answers & IdEntryThreeCycle) return EnterIdMode();
        break;
    case 0xA0:
        m_protected = true;
        m_idMode = false;
        m_armed = true;
        m_armedUs = Now();
        return;
    case 0xF0:
        m_idMode = false;
        return;
    case 0x160:
        if (answers & IdEntrySixCycle) return EnterIdMode();
        break;
    case 0x110:
        if (m_part.chipEraseUs == 0) break;
        m_idMode = false;
        StartErase(m_faults.eraseHangs ? Forever : Now() + m_part.chipEraseUs);
        return;
    case 0x120:
        m_protected = false;
        return;
    default:
        break;
    }
    // A command the part does not know: its last cycle is an ordinary write.
    OrdinaryWrite(offset, value);
}

void PageWriteChip::OrdinaryWrite(uint32_t offset, uint8_t value) {
    if (m_idMode) return;
    BeginLoad(offset, value, m_protected);
}

void PageWriteChip::EnterIdMode() {
    m_idMode = true;
    m_idSinceUs = Now();
}

void PageWriteChip::BeginLoad(uint32_t offset, uint8_t value, bool discard) {
    m_load.active = true;
    m_load.discard = discard;
    m_load.page = offset - offset % m_part.pageSize;
    m_load.bytes.assign(m_part.pageSize, 0xFF);
    m_load.loaded.assign(m_part.pageSize, false);
    LoadByte(offset, value);
}

void PageWriteChip::LoadByte(uint32_t offset, uint8_t value) {
    // The datasheets want every byte of a load in one page and say no more; a byte for
    // another page ends the load here and is itself dropped.
    if (offset - offset % m_part.pageSize != m_load.page) return CloseLoad(Now());
    const uint32_t index = offset - m_load.page;
    m_load.bytes[index] = value;
    m_load.loaded[index] = true;
    m_load.last = value;
    m_load.lastUs = Now();
}

void PageWriteChip::CloseLoad(uint64_t programStartUs) {
    Load load = std::move(m_load);
    m_load = Load{};
    const uint64_t endUs = programStartUs + m_part.programUs;
    if (load.discard) return StartDummy(load.last, endUs);
    for (uint32_t i = 0; i < m_part.pageSize; ++i) {
        if (load.loaded[i]) continue;
        load.bytes[i] = m_part.unloaded == UnloadedBytes::Erased
                            ? 0xFF
                            : m_store.Get(load.page + i) ^ IndeterminateFlip;
    }
    const bool hangs = HangsProgram(load.page, m_part.pageSize);
    StartPageWrite(load.page, std::move(load.bytes), load.last, hangs ? Forever : endUs);
}

uint8_t PageWriteChip::IdRead(uint32_t offset) const {
    // Until the part has settled into ID mode, reads still see the array.
    if (Now() - m_idSinceUs < m_part.idEntryUs) return ArrayRead(offset);
    if (offset == 0) return static_cast<uint8_t>(m_part.id & 0xFF);
    if (offset == 1) return static_cast<uint8_t>(m_part.id >> 8);
    return ArrayRead(offset);
}

}  // namespace tarvex::sim
