#include "sim/chips/page_write_chip.h"

#include <utility>

namespace tarvex::sim {

namespace {
// Atmel leaves the bytes of a page that were not loaded indeterminate; the model makes them
// a value that cannot pass for the old data.
constexpr uint8_t IndeterminateFlip = 0x5A;
}  // namespace

PageWriteChip::PageWriteChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                             const ChipFaults& faults, const ChipTiming& timing)
    : FlashChip(part, store, clock, faults, timing),
      m_sequence(0x5555, 0x2AAA, part.commandMask) {}

PageWriteChip::~PageWriteChip() {
    Settle();
}

uint8_t PageWriteChip::Read(uint32_t offset) {
    CatchUp();
    switch (m_mode) {
    case Mode::ReadArray:
    case Mode::Armed:
        return ArrayRead(offset);
    case Mode::IdMode:
        return IdRead(Wrap(offset));
    case Mode::Loading:
        return StatusFor(m_load.last);  // a read during the load polls the byte last loaded
    case Mode::Busy:
        break;
    }
    return StatusRead();
}

void PageWriteChip::Write(uint32_t offset, uint8_t value) {
    CatchUp();
    offset = Wrap(offset);
    switch (m_mode) {
    case Mode::ReadArray:
    case Mode::IdMode:
        return Decode(offset, value);
    case Mode::Armed:
        return BeginLoad(offset, value, false);
    case Mode::Loading:
        return LoadByte(offset, value);
    case Mode::Busy:
        return;  // a write cycle does not listen to the bus until it is over
    }
}

void PageWriteChip::CatchUp() {
    Settle();
    if (m_mode == Mode::Busy && !Busy()) m_mode = Mode::ReadArray;
}

void PageWriteChip::SettlePending() {
    const uint64_t now = Now();
    if (m_mode == Mode::Loading) {
        if (now - m_load.lastUs > m_load.windowUs) CloseLoad(m_load.lastUs + m_load.windowUs);
        return;
    }
    const bool waiting = m_mode == Mode::Armed || m_sequence.Pending();
    if (m_mode != Mode::Busy && waiting && now - m_prefix.atUs > m_prefix.windowUs) {
        // The cycles were taken in like a load: a write cycle of their own that writes nothing.
        m_sequence.Reset();
        m_mode = Mode::Busy;
        const uint64_t startUs = m_prefix.atUs + m_prefix.windowUs;
        StartDummy(m_prefix.value, startUs + Pick(m_part.times.program));
    }
}

void PageWriteChip::Decode(uint32_t offset, uint8_t value) {
    const UnlockSequence::Step step = m_sequence.Feed(offset, value);
    switch (step.outcome) {
    case UnlockSequence::Outcome::Pending:
        return TrackPrefix(value);
    case UnlockSequence::Outcome::Command:
        return OnCommand(step, offset, value);
    case UnlockSequence::Outcome::Broken:
        return OrdinaryWrite(offset, value);
    }
}

void PageWriteChip::TrackPrefix(uint8_t value) {
    m_prefix = {Now(), Pick(m_part.times.loadWindow), value};
}

void PageWriteChip::OnCommand(const UnlockSequence::Step& step, uint32_t offset, uint8_t value) {
    const uint8_t answers = m_part.idEntries;
    switch (step.sixCycle ? 0x100 | step.command : step.command) {
    case 0x90:
        if (answers & IdEntryThreeCycle) return EnterIdMode();
        break;
    case 0xA0:
        return Arm(true, value);
    case 0xF0:
        return ExitIdMode(value);
    case 0x160:
        if (answers & IdEntrySixCycle) return EnterIdMode();
        break;
    case 0x110:
        if (m_part.times.chipErase.maxUs == 0) break;
        m_mode = Mode::Busy;
        StartErase(m_faults.eraseHangs ? Forever : Now() + Pick(m_part.times.chipErase));
        return;
    case 0x120:
        // Data protection off; like the prefix, the sequence may be followed by a load.
        return Arm(false, value);
    default:
        break;
    }
    // A command the part does not know: its last cycle is an ordinary write.
    OrdinaryWrite(offset, value);
}

void PageWriteChip::Arm(bool protect, uint8_t value) {
    m_store.SetDataProtection(protect);
    m_mode = Mode::Armed;
    TrackPrefix(value);
}

void PageWriteChip::OrdinaryWrite(uint32_t offset, uint8_t value) {
    if (m_mode == Mode::IdMode) return;
    BeginLoad(offset, value, m_store.DataProtection());
}

void PageWriteChip::EnterIdMode() {
    m_mode = Mode::IdMode;
    m_idSinceUs = Now();
    m_idEntryUs = Pick(m_part.times.idEntry);
}

void PageWriteChip::ExitIdMode(uint8_t value) {
    m_mode = Mode::ReadArray;
    // Atmel's exit is a write cycle of its own, whether the part was in ID mode or not.
    if (m_part.times.idExit.maxUs == 0) return;
    m_mode = Mode::Busy;
    StartDummy(value, Now() + Pick(m_part.times.idExit));
}

void PageWriteChip::BeginLoad(uint32_t offset, uint8_t value, bool discard) {
    m_mode = Mode::Loading;
    m_load.discard = discard;
    m_load.page = offset - offset % m_part.pageSize;
    m_load.windowUs = Pick(m_part.times.loadWindow);
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
    Load load = std::exchange(m_load, Load{});
    m_mode = Mode::Busy;
    const uint64_t endUs = programStartUs + Pick(m_part.times.program);
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
    if (Now() - m_idSinceUs < m_idEntryUs) return ArrayRead(offset);
    if (offset == 0) return static_cast<uint8_t>(m_part.id & 0xFF);
    if (offset == 1) return static_cast<uint8_t>(m_part.id >> 8);
    if (const auto code = BootBlockCode(offset)) return *code;
    return ArrayRead(offset);
}

}  // namespace tarvex::sim
