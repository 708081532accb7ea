#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "samples/sample_image.h"
#include "support/sim_session.h"
#include "support/temp_dir.h"

namespace tarvex::testing {

inline std::string WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> SampleRom(uint16_t vendor, uint16_t device, uint32_t size = 32768) {
    return MakeSampleImage({vendor, device, size, ClassCodeRaid, "test image"});
}

// One adapter 1C5D:<device> with the chip and faults, on the virtual clock.
inline sim::Rig OneAdapterRig(uint16_t device, const std::string& chip = "SST 39SF010A",
                              sim::RigFaults faults = {}) {
    sim::RigAdapter adapter = MakeAdapter(0x1C5D, device, chip);
    adapter.faults = std::move(faults);
    return MakeRig({adapter});
}

// A file of the given size holding only the ROM signature; the rest is a hole.
inline std::string WriteSparseImage(const std::string& path, off_t size) {
    WriteFile(path, {0x55, 0xAA, 0x40, 0xCB});
    std::filesystem::resize_file(path, static_cast<uintmax_t>(size));
    return path;
}

// A named pipe that a thread fills with the bytes once a reader opens it. Its size reads as 0,
// so a loader gets more bytes than the size it was told.
class FeedingPipe {
public:
    FeedingPipe(const std::string& path, std::vector<uint8_t> bytes) : m_path(path) {
        ::mkfifo(path.c_str(), 0600);
        m_writer = std::thread([this, bytes = std::move(bytes)] {
            const int fd = ::open(m_path.c_str(), O_WRONLY);
            if (fd < 0) return;
            const ssize_t written = ::write(fd, bytes.data(), bytes.size());
            static_cast<void>(written);
            ::close(fd);
        });
    }
    ~FeedingPipe() {
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK);  // frees a waiting writer
        m_writer.join();
        ::close(fd);
    }

private:
    std::string m_path;
    std::thread m_writer;
};

}  // namespace tarvex::testing
