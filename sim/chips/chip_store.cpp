#include "sim/chips/chip_store.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarvex::sim {

namespace {
constexpr char ProtectionOn = '1';
constexpr char ProtectionOff = '0';
}  // namespace

ChipStore::ChipStore(uint32_t size, const std::string& path, bool protectedOnDelivery)
    : m_cells(size, 0xFF), m_protected(protectedOnDelivery) {
    if (path.empty()) return;
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        m_error = "cannot open ROM file " + path + ": " + std::strerror(errno);
        return;
    }
    // A shorter file is taken as far as it goes; the rest of the chip is erased.
    size_t got = 0;
    while (got < m_cells.size()) {
        ssize_t n = ::pread(m_fd, m_cells.data() + got, m_cells.size() - got,
                            static_cast<off_t>(got));
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    if (got < m_cells.size()) Persist(static_cast<uint32_t>(got), Size() - static_cast<uint32_t>(got));
    m_protectionPath = path + ".sdp";
    LoadProtection();
}

ChipStore::~ChipStore() {
    if (m_fd >= 0) ::close(m_fd);
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
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::pwrite(m_fd, m_cells.data() + offset + done, length - done,
                             static_cast<off_t>(offset + done));
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
}

void ChipStore::SetDataProtection(bool on) {
    if (m_protected == on) return;
    m_protected = on;
    PersistProtection();
}

void ChipStore::LoadProtection() {
    const int fd = ::open(m_protectionPath.c_str(), O_RDONLY | O_CLOEXEC);
    char state = 0;
    const bool known = fd >= 0 && ::read(fd, &state, 1) == 1 &&
                       (state == ProtectionOn || state == ProtectionOff);
    if (fd >= 0) ::close(fd);
    if (known)
        m_protected = state == ProtectionOn;
    else
        PersistProtection();  // the chip's state on delivery, from now on its own
}

void ChipStore::PersistProtection() const {
    if (m_protectionPath.empty()) return;
    const int fd = ::open(m_protectionPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const char state = m_protected ? ProtectionOn : ProtectionOff;
    // A write that fails leaves the last state recorded; the model goes on with the new one.
    (void)!::write(fd, &state, 1);
    ::close(fd);
}

}  // namespace tarvex::sim
