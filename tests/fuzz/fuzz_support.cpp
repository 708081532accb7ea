#include "fuzz_support.h"

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "config/config_state.h"
#include "driver/adapter_queries.h"
#include "driver/link_state.h"
#include "driver/rom_size.h"
#include "flash/event_channel.h"
#include "platform/device.h"
#include "platform/file_io.h"

namespace tarvex::fuzz {

void FuzzCheck(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
}

void ResetProcessState() {
    platform::InstallDeviceProvider(nullptr);
    ResetDriverLink();
    ResetConfigState();
    RomSize = DefaultRomSize;
    SetEventSink([](uint32_t, int32_t, const char*) {});
}

std::shared_ptr<sim::Simulator> StartSimulator(sim::Rig rig, const char* property) {
    rig.clock.mode = sim::ModelClock::Mode::Virtual;
    std::string error;
    auto simulator = sim::Simulator::Create(rig, error);
    FuzzCheck(simulator != nullptr, property);
    return simulator;
}

MemoryFile::MemoryFile(const uint8_t* data, size_t size) {
#ifdef _WIN32
    // Windows has no memory file with a path: a temporary file stands in.
    std::random_device seed;
    m_path = (std::filesystem::temp_directory_path() /
              ("tarvex-fuzz-" + std::to_string(seed()) + std::to_string(seed())))
                 .string();
    m_fd = platform::OpenForUpdate(m_path);
#else
    m_fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    m_path = "/proc/self/fd/" + std::to_string(m_fd);
#endif
    FuzzCheck(m_fd >= 0, "a memory file can be made");
    FuzzCheck(platform::WriteFully(m_fd, data, size) == size, "the memory file takes the input");
#ifdef _WIN32
    platform::CloseFile(m_fd);
    m_fd = platform::OpenForReading(m_path);
    FuzzCheck(m_fd >= 0, "the memory file opens for reading");
#else
    ::lseek(m_fd, 0, SEEK_SET);
#endif
}

MemoryFile::~MemoryFile() {
    platform::CloseFile(m_fd);
#ifdef _WIN32
    platform::RemoveFile(m_path);
#endif
}

}  // namespace tarvex::fuzz
