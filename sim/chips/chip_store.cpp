#include "sim/chips/chip_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_io.h"

namespace tarvex::sim {

namespace {
constexpr uint8_t ProtectionOn = '1';
constexpr uint8_t ProtectionOff = '0';
}  // namespace

ChipStore::ChipStore(uint32_t size, const std::string& path, bool protectedOnDelivery)
    : m_cells(size, 0xFF), m_protected(protectedOnDelivery) {
    if (path.empty()) return;
    m_fd = platform::OpenForUpdate(path);
    if (m_fd < 0) {
        m_error = "cannot open ROM file " + path + ": " + std::strerror(errno);
        return;
    }
    // A shorter file is taken as far as it goes; the rest of the chip is erased.
    const size_t got = platform::ReadAt(m_fd, 0, m_cells.data(), m_cells.size());
    if (got < m_cells.size())
        Persist(static_cast<uint32_t>(got), Size() - static_cast<uint32_t>(got));
    m_protectionPath = path + ".sdp";
    LoadProtection();
}

ChipStore::~ChipStore() {
    if (m_fd >= 0) platform::CloseFile(m_fd);
}

void ChipStore::Set(uint32_t offset, uint8_t value) {
    offset %= Size();
    if (m_cells[offset] == value) return;
    m_cells[offset] = value;
    Persist(offset, 1);
}

void ChipStore::Fill(uint32_t offset, uint32_t length, uint8_t value) {
    offset = std::min(offset, Size());
    length = std::min(length, Size() - offset);
    std::fill_n(m_cells.begin() + offset, length, value);
    Persist(offset, length);
}

void ChipStore::Persist(uint32_t offset, uint32_t length) {
    if (m_fd < 0 || length == 0) return;
    platform::WriteAt(m_fd, offset, m_cells.data() + offset, length);
}

void ChipStore::SetDataProtection(bool on) {
    if (m_protected == on) return;
    m_protected = on;
    PersistProtection();
}

void ChipStore::LoadProtection() {
    const int fd = platform::OpenForReading(m_protectionPath);
    uint8_t state = 0;
    const bool known = fd >= 0 && platform::ReadFully(fd, &state, 1) == 1 &&
                       (state == ProtectionOn || state == ProtectionOff);
    if (fd >= 0) platform::CloseFile(fd);
    if (known)
        m_protected = state == ProtectionOn;
    else
        PersistProtection();  // the chip's state on delivery, from now on its own
}

void ChipStore::PersistProtection() const {
    if (m_protectionPath.empty()) return;
    const int fd = platform::OpenForUpdate(m_protectionPath);
    if (fd < 0) return;
    const uint8_t state = m_protected ? ProtectionOn : ProtectionOff;
    // A write that fails leaves the last state recorded; the model goes on with the new one.
    platform::WriteAt(fd, 0, &state, 1);
    platform::CloseFile(fd);
}

}  // namespace tarvex::sim
