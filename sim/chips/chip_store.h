#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvex::sim {

// A flash chip's cells and its software data protection bit, both non-volatile. With a file,
// every change reaches it at once, as flash keeps its contents when the power goes; a missing
// file is created erased (0xFF). The protection bit lives beside it in "<file>.sdp".
class ChipStore {
public:
    // An empty path keeps the contents in memory only. protectedOnDelivery is the bit's state
    // when no file records it yet.
    ChipStore(uint32_t size, const std::string& path, bool protectedOnDelivery = true);
    ~ChipStore();
    ChipStore(const ChipStore&) = delete;
    ChipStore& operator=(const ChipStore&) = delete;

    // False when the file could not be opened or created; Error() says why.
    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    uint32_t Size() const { return static_cast<uint32_t>(m_cells.size()); }
    uint8_t Get(uint32_t offset) const { return m_cells[offset % m_cells.size()]; }
    void Set(uint32_t offset, uint8_t value);
    void Fill(uint32_t offset, uint32_t length, uint8_t value);
    std::span<const uint8_t> Bytes() const { return m_cells; }

    bool DataProtection() const { return m_protected; }
    void SetDataProtection(bool on);

private:
    void Persist(uint32_t offset, uint32_t length);
    void LoadProtection();
    void PersistProtection() const;

    std::vector<uint8_t> m_cells;
    int m_fd = -1;
    std::string m_error;
    std::string m_protectionPath;  // empty: in memory
    bool m_protected;
};

}  // namespace tarvex::sim
