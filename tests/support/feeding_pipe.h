#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/test_thread.h"

namespace tarvex::testing {

// A named pipe that a thread fills with the bytes once a reader opens it. Its size reads as 0,
// so a loader gets more bytes than the size it was told. On Windows the pipe lives in the
// system's pipe namespace under the given file's name; Path() is what to open.
class FeedingPipe {
public:
    FeedingPipe(const std::string& path, std::vector<uint8_t> bytes);
    ~FeedingPipe();
    FeedingPipe(const FeedingPipe&) = delete;
    FeedingPipe& operator=(const FeedingPipe&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    void* m_pipe = nullptr;  // Windows: the server end
    std::unique_ptr<TestThread> m_writer;
};

}  // namespace tarvex::testing
