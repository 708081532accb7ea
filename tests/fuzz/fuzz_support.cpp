#include "fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace tarvex::fuzz {

void FuzzCheck(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", property);
    std::abort();
}

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

void IgnoreEvents(uint32_t, int32_t, const char*) {}

}  // namespace tarvex::fuzz
