#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvex::sim {

// A flash chip's cells. With a file, every change reaches the file at once, as flash keeps
// its contents when the power goes; a missing file is created erased (0xFF).
class ChipStore {
public:
    // An empty path keeps the contents in memory only.
    ChipStore(uint32_t size, const std::string& path);
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

private:
    void Persist(uint32_t offset, uint32_t length);

    std::vector<uint8_t> m_cells;
    int m_fd = -1;
    std::string m_error;
};

}  // namespace tarvex::sim
