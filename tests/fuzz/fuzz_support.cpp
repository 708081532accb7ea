#include "fuzz_support.h"

#ifndef _WIN32
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/file_io.h"

namespace tarvex::fuzz {

void FuzzCheck(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
}

#ifdef _WIN32

// Windows has no memory file with a path: a temporary file stands in.
MemoryFile::MemoryFile(const uint8_t* data, size_t size) {
    std::random_device seed;
    m_path = (std::filesystem::temp_directory_path() /
              ("tarvex-fuzz-" + std::to_string(seed()) + std::to_string(seed())))
                 .string();
    const int writer = platform::OpenForUpdate(m_path);
    FuzzCheck(writer >= 0, "a memory file can be made");
    FuzzCheck(platform::WriteFully(writer, data, size) == size, "the memory file takes the input");
    platform::CloseFile(writer);
    m_fd = platform::OpenForReading(m_path);
    FuzzCheck(m_fd >= 0, "the memory file opens for reading");
}

MemoryFile::~MemoryFile() {
    platform::CloseFile(m_fd);
    platform::RemoveFile(m_path);
}

std::string MemoryFile::Path() const { return m_path; }

#else

MemoryFile::MemoryFile(const uint8_t* data, size_t size) {
    m_fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    FuzzCheck(m_fd >= 0, "a memory file can be made");
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size - done);
        FuzzCheck(n > 0, "the memory file takes the input");
        done += static_cast<size_t>(n);
    }
    ::lseek(m_fd, 0, SEEK_SET);
}

MemoryFile::~MemoryFile() { ::close(m_fd); }

std::string MemoryFile::Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

#endif

void IgnoreEvents(uint32_t, int32_t, const char*) {}

}  // namespace tarvex::fuzz
