#include "support/feeding_pipe.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex::testing {

#ifdef _WIN32

FeedingPipe::FeedingPipe(const std::string& path, std::vector<uint8_t> bytes)
    : m_path("\\\\.\\pipe\\" + std::filesystem::path(path).filename().string() +
             std::to_string(::GetCurrentProcessId())) {
    HANDLE pipe = ::CreateNamedPipeA(m_path.c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) return;
    m_pipe = pipe;
    m_writer = std::make_unique<TestThread>([pipe, bytes = std::move(bytes)] {
        if (!::ConnectNamedPipe(pipe, nullptr) && ::GetLastError() != ERROR_PIPE_CONNECTED) return;
        DWORD written = 0;
        ::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::FlushFileBuffers(pipe);
        ::DisconnectNamedPipe(pipe);
    });
}

FeedingPipe::~FeedingPipe() {
    // A client that connects and leaves frees a writer still waiting for one.
    HANDLE client =
        ::CreateFileA(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (m_writer) m_writer->Join();
    if (client != INVALID_HANDLE_VALUE) ::CloseHandle(client);
    if (m_pipe != nullptr) ::CloseHandle(static_cast<HANDLE>(m_pipe));
}

#else

FeedingPipe::FeedingPipe(const std::string& path, std::vector<uint8_t> bytes) : m_path(path) {
    ::mkfifo(path.c_str(), 0600);
    m_writer = std::make_unique<TestThread>([this, bytes = std::move(bytes)] {
        const int fd = ::open(m_path.c_str(), O_WRONLY);
        if (fd < 0) return;
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        static_cast<void>(written);
        ::close(fd);
    });
}

FeedingPipe::~FeedingPipe() {
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK);  // frees a waiting writer
    m_writer->Join();
    ::close(fd);
}

#endif

}  // namespace tarvex::testing
