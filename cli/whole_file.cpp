#include "cli/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/read_fully.h"

namespace tarvex::cli {

namespace {
// Option ROMs are far smaller; anything beyond this is refused unread.
constexpr off_t MaxImageFile = 64 * 1024 * 1024;
}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = std::strerror(errno);
        return ReadResult::Unreadable;
    }
    struct stat info {};
    ReadResult result = ReadResult::Ok;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        why = "not a regular file";
        result = ReadResult::Unreadable;
    } else if (info.st_size > MaxImageFile) {
        result = ReadResult::TooLarge;
    } else {
        bytes.resize(static_cast<size_t>(info.st_size));
        if (platform::ReadFully(fd, bytes.data(), bytes.size()) != bytes.size()) {
            why = "the file could not be read whole";
            result = ReadResult::Unreadable;
        }
    }
    ::close(fd);
    return result;
}

}  // namespace tarvex::cli
