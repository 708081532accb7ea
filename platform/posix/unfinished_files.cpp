#include "platform/unfinished_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvex::platform {

namespace {

constexpr int CreateAttempts = 8;

struct SplitPath {
    std::string folder;
    std::string name;
};

SplitPath Split(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Removes the entry when nobody holds its lock and it is still the file that was locked.
void RemoveIfStale(int folder, const char* name) {
    const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat held {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
        ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(held.st_mode) &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino)
        ::unlinkat(folder, name, 0);
    ::close(fd);
}

}  // namespace

int CreateUnfinishedFile(const std::string& target, std::string& temp) {
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        temp = target + UnfinishedMark + "XXXXXX";
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        // Locked before another writer could take it for stale; a file that one removed in
        // that moment is given up for a new one.
        struct stat info {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    temp.clear();
    errno = EEXIST;
    return -1;
}

void RemoveStaleUnfinishedFiles(const std::string& target) {
    const SplitPath path = Split(target);
    const std::string prefix = path.name + UnfinishedMark;
    DIR* dir = ::opendir(path.folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0)
            RemoveIfStale(::dirfd(dir), entry->d_name);
    }
    ::closedir(dir);
}

}  // namespace tarvex::platform
