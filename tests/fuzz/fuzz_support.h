#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvex::fuzz {

// Stops the run naming the broken property: libFuzzer keeps the input, the replay test fails.
void FuzzCheck(bool holds, const char* property);

// A file in memory holding the bytes, read from its start; closed with the object. Its path
// opens it again as an ordinary file would be opened.
class MemoryFile {
public:
    MemoryFile(const uint8_t* data, size_t size);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int Fd() const { return m_fd; }
    std::string Path() const;

private:
    int m_fd = -1;
    std::string m_path;  // Windows: the temporary file standing in
};

// Where written bytes go to be dropped.
#ifdef _WIN32
inline constexpr const char* NullDevice = "NUL";
#else
inline constexpr const char* NullDevice = "/dev/null";
#endif

// An event sink that drops everything, so that runs stay quiet.
void IgnoreEvents(uint32_t code, int32_t value, const char* text);

}  // namespace tarvex::fuzz
