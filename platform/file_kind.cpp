#include "platform/file_kind.h"

#include <sys/stat.h>

#include <cerrno>

namespace tarvex::platform {

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    errno = 0;
    return S_ISREG(info.st_mode);
}

}  // namespace tarvex::platform
