#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "sim/simulator.h"

namespace tarvex::fuzz {

// Stops the run naming the broken property: libFuzzer keeps the input, the replay test fails.
void FuzzCheck(bool holds, const char* property);

// The process-wide state an entry starts from: default ROM size, driver link and configuration
// reset, no device provider, events dropped so that runs stay quiet.
void ResetProcessState();

// The rig's simulator on the virtual clock, so that nothing waits; the property when it does
// not come up.
std::shared_ptr<sim::Simulator> StartSimulator(sim::Rig rig, const char* property);

// A file in memory holding the bytes, read from its start; closed with the object. Its path
// opens it again as an ordinary file would be opened.
class MemoryFile {
public:
    MemoryFile(const uint8_t* data, size_t size);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};

// Where written bytes go to be dropped.
#ifdef _WIN32
inline constexpr const char* NullDevice = "NUL";
#else
inline constexpr const char* NullDevice = "/dev/null";
#endif

}  // namespace tarvex::fuzz
