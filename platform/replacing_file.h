#pragma once
#include <cstddef>
#include <string>

namespace tarvex::platform {

// Writes a file so that it is complete or not replaced: a regular (or missing) target is
// written to a temporary file beside it, named as unfinished, and moved into place by Commit,
// keeping an existing file's permissions and writing through a link to it. A target that exists
// and is no regular file (a device, a pipe) is written in place, since it cannot be replaced; so
// is an existing file in a folder that takes no new file. The writer locks its temporary file
// while it writes, so that one left behind by a killed process is known as stale and removed by
// the next writer to the same target.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Opens for writing; false when the file cannot be created or may not be written (errno
    // tells why). A new file gets the mode.
    bool Open(const std::string& path, unsigned mode = 0600);
    // Writes the whole block, retrying short writes; returns the bytes written.
    size_t Write(const void* data, size_t length);
    // Flushes and moves the file into place; false when that fails (the target is unchanged).
    bool Commit();
    // Drops what was written; the target keeps its old contents.
    void Abort();

private:
    std::string m_target;
    std::string m_temp;  // empty when writing in place
    int m_fd = -1;
};

}  // namespace tarvex::platform
