#include "sim/chips/flash_chip.h"

#include <utility>

namespace tarvex::sim {

namespace {
// Parts that program bytes have no page; a flaky-page fault covers 128 bytes of them.
constexpr uint32_t BytePartFlakyPage = 128;
// A read that cannot pass for the data written.
constexpr uint8_t FlakyReadFlip = 0x01;
}  // namespace

FlashChip::FlashChip(const PartFacts& part, ChipStore& store, const ModelClock& clock,
                     const ChipFaults& faults, const ChipTiming& timing)
    : m_part(part), m_store(store), m_clock(clock), m_faults(faults), m_durations(timing) {
    for (uint32_t offset : faults.protectedSectors)
        m_lockedSectors.insert(LockUnitAt(Wrap(offset)).start);
    for (const auto& [offset, value] : faults.weakCells) m_weakCells[Wrap(offset)] = value;
    for (const auto& [offset, writes] : faults.flakyPages)
        m_flakyLimits[FlakyPage(Wrap(offset))] = writes;
}

FlashChip::~FlashChip() {
    // An operation whose time is up has reached the cells even if nobody looked again.
    Settle();
}

FlashChip::Sector FlashChip::SectorAt(uint32_t offset) const {
    if (m_part.sectors.empty()) {
        const uint32_t size = m_part.uniformSector;
        return {offset - offset % size, size};
    }
    uint32_t start = 0;
    for (uint32_t size : m_part.sectors) {
        if (offset < start + size) return {start, size};
        start += size;
    }
    return {start, 0};  // not reached: the table's sectors tile every part
}

FlashChip::Sector FlashChip::LockUnitAt(uint32_t offset) const {
    if (offset < m_part.bootBlockLow) return {0, m_part.bootBlockLow};
    if (m_part.bootBlockHigh != 0 && offset >= m_part.size - m_part.bootBlockHigh)
        return {m_part.size - m_part.bootBlockHigh, m_part.bootBlockHigh};
    return SectorAt(offset);
}

bool FlashChip::IsLocked(uint32_t offset) const {
    return m_lockedSectors.count(LockUnitAt(Wrap(offset)).start) != 0;
}

bool FlashChip::AllLocked() const {
    for (uint32_t offset = 0; offset < m_part.size; offset += SectorAt(offset).size)
        if (!IsLocked(offset)) return false;
    return true;
}

bool FlashChip::HangsProgram(uint32_t start, uint32_t length) const {
    if (!m_faults.programHangsAt) return false;
    const uint32_t at = Wrap(*m_faults.programHangsAt);
    return at >= start && at - start < length;
}

void FlashChip::Settle() {
    SettlePending();
    if (Busy() && m_op.endUs != Forever && Now() >= m_op.endUs) Complete();
}

void FlashChip::Abandon() {
    // The cells keep what they held: an operation that failed changed nothing the model tracks.
    m_op = Operation{};
}

uint8_t FlashChip::StatusRead() {
    const uint8_t dq5 = TimeLimitExceeded() ? 0x20 : 0x00;
    if (m_op.kind == OperationKind::Erase) {
        m_toggle = !m_toggle;
        return static_cast<uint8_t>((m_toggle ? 0x40 : 0x00) | dq5);
    }
    return static_cast<uint8_t>(StatusFor(m_op.status) | dq5);
}

uint8_t FlashChip::StatusFor(uint8_t value) {
    m_toggle = !m_toggle;
    return static_cast<uint8_t>((~value & 0x80) | (m_toggle ? 0x40 : 0x00) | (value & 0x1F));
}

uint8_t FlashChip::ArrayRead(uint32_t offset) const {
    offset = Wrap(offset);
    if (auto weak = m_weakCells.find(offset); weak != m_weakCells.end()) return weak->second;
    const uint8_t value = m_store.Get(offset);
    const uint32_t page = FlakyPage(offset);
    if (auto limit = m_flakyLimits.find(page); limit != m_flakyLimits.end()) {
        auto seen = m_rewrites.find(page);
        if (seen != m_rewrites.end() && seen->second > limit->second) return value ^ FlakyReadFlip;
    }
    return value;
}

std::optional<uint8_t> FlashChip::BootBlockCode(uint32_t offset) const {
    constexpr uint32_t TopCodeFromEnd = 14;  // 3FFF2 on a 2 Mbit part
    constexpr uint8_t Programmable = 0xFE, LockedOut = 0xFF;
    if (m_part.bootBlockLow != 0 && offset == 2) return IsLocked(0) ? LockedOut : Programmable;
    if (m_part.bootBlockHigh != 0 && offset == m_part.size - TopCodeFromEnd)
        return IsLocked(m_part.size - 1) ? LockedOut : Programmable;
    return std::nullopt;
}

void FlashChip::StartProgram(uint32_t offset, uint8_t value, uint64_t endUs, uint64_t limitUs) {
    Start({OperationKind::Program, offset, {value}, value, endUs, limitUs});
}

void FlashChip::StartPageWrite(uint32_t start, std::vector<uint8_t> bytes, uint8_t last,
                               uint64_t endUs) {
    Start({OperationKind::PageWrite, start, std::move(bytes), last, endUs});
}

void FlashChip::StartErase(uint64_t endUs, uint64_t limitUs) {
    Start({OperationKind::Erase, 0, {}, 0xFF, endUs, limitUs});
}

void FlashChip::StartDummy(uint8_t value, uint64_t endUs) {
    Start({OperationKind::Dummy, 0, {}, value, endUs});
}

void FlashChip::Start(Operation op) {
    m_op = std::move(op);
    Settle();  // an operation may already be over by the time it is started (a page load)
}

void FlashChip::Complete() {
    const Operation op = std::exchange(m_op, Operation{});
    switch (op.kind) {
    case OperationKind::Program:
        // Programming only clears bits.
        if (!IsLocked(op.start)) m_store.Set(op.start, m_store.Get(op.start) & op.bytes[0]);
        break;
    case OperationKind::PageWrite:
        // A page write erases and programs the page internally: it replaces the page.
        if (IsLocked(op.start)) break;
        for (uint32_t i = 0; i < op.bytes.size(); ++i) m_store.Set(op.start + i, op.bytes[i]);
        CountRewrites(op.start, static_cast<uint32_t>(op.bytes.size()));
        break;
    case OperationKind::Erase:
        EraseUnlocked();
        break;
    case OperationKind::Dummy:
    case OperationKind::None:
        break;
    }
}

void FlashChip::EraseUnlocked() {
    for (uint32_t offset = 0; offset < m_part.size;) {
        const Sector sector = SectorAt(offset);
        if (!IsLocked(offset)) {
            m_store.Fill(sector.start, sector.size, 0xFF);
            CountRewrites(sector.start, sector.size);
        }
        offset += sector.size;
    }
}

void FlashChip::CountRewrites(uint32_t start, uint32_t length) {
    for (const auto& [page, limit] : m_flakyLimits)
        if (page >= start && page - start < length) ++m_rewrites[page];
}

uint32_t FlashChip::FlakyPage(uint32_t offset) const {
    const uint32_t size =
        m_part.family == ChipFamily::PageWrite ? m_part.pageSize : BytePartFlakyPage;
    return offset - offset % size;
}

}  // namespace tarvex::sim
