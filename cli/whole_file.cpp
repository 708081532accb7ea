#include "cli/whole_file.h"

#include <cerrno>
#include <cstring>

#include "platform/file_io.h"

namespace tarvex::cli {

namespace {
// Option ROMs are far smaller; anything beyond this is refused unread.
constexpr int64_t MaxImageFile = 64 * 1024 * 1024;
}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
    // Windows refuses to open a folder at all; both systems say the same of one.
    if (platform::KindOfPath(path) == platform::FileKind::Folder) {
        why = "not a regular file";
        return ReadResult::Unreadable;
    }
    const int fd = platform::OpenForReading(path);
    if (fd < 0) {
        why = std::strerror(errno);
        return ReadResult::Unreadable;
    }
    int64_t size = 0;
    ReadResult result = ReadResult::Ok;
    if (platform::KindOfFile(fd) != platform::FileKind::Regular || !platform::FileSize(fd, size)) {
        why = "not a regular file";
        result = ReadResult::Unreadable;
    } else if (size > MaxImageFile) {
        result = ReadResult::TooLarge;
    } else {
        bytes.resize(static_cast<size_t>(size));
        if (platform::ReadFully(fd, bytes.data(), bytes.size()) != bytes.size()) {
            why = "the file could not be read whole";
            result = ReadResult::Unreadable;
        }
    }
    platform::CloseFile(fd);
    return result;
}

}  // namespace tarvex::cli
