#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tarvex::platform {

namespace {

FileKind KindOf(const struct stat& info) {
    if (S_ISREG(info.st_mode)) return FileKind::Regular;
    if (S_ISDIR(info.st_mode)) return FileKind::Folder;
    return FileKind::Other;
}

// Repeats a transfer step until count bytes are done, going on after interrupted or short
// steps; stops at the end of the file or a failure. Returns the bytes done.
template <typename Step>
size_t Repeat(size_t count, Step step) {
    size_t done = 0;
    while (done < count) {
        const ssize_t n = step(done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

}  // namespace

FileKind KindOfPath(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? KindOf(info) : FileKind::Missing;
}

FileKind KindOfFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? KindOf(info) : FileKind::Missing;
}

int OpenForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

int OpenForWriting(const std::string& path, bool truncate) {
    return ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (truncate ? O_TRUNC : 0));
}

int OpenForUpdate(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
}

bool CloseFile(int fd) { return ::close(fd) == 0; }

bool FileSize(int fd, int64_t& size) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return false;
    size = static_cast<int64_t>(info.st_size);
    return true;
}

size_t ReadFully(int fd, uint8_t* buffer, size_t count) {
    return Repeat(count, [&](size_t done) { return ::read(fd, buffer + done, count - done); });
}

size_t WriteFully(int fd, const void* data, size_t count) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return Repeat(count, [&](size_t done) { return ::write(fd, bytes + done, count - done); });
}

size_t ReadAt(int fd, uint64_t offset, uint8_t* buffer, size_t count) {
    return Repeat(count, [&](size_t done) {
        return ::pread(fd, buffer + done, count - done, static_cast<off_t>(offset + done));
    });
}

size_t WriteAt(int fd, uint64_t offset, const uint8_t* data, size_t count) {
    return Repeat(count, [&](size_t done) {
        return ::pwrite(fd, data + done, count - done, static_cast<off_t>(offset + done));
    });
}

bool FlushToDisk(int fd) { return ::fsync(fd) == 0; }

bool SetFileMode(int fd, unsigned mode) {
    return ::fchmod(fd, static_cast<mode_t>(mode & 07777)) == 0;
}

unsigned UserFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

unsigned ModeOfPath(const std::string& path, unsigned fallback) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<unsigned>(info.st_mode & 07777)
                                            : fallback;
}

bool MayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

Sameness PathNamesFile(const std::string& path, int fd) {
    struct stat open {
    }, named{};
    if (::fstat(fd, &open) != 0) return Sameness::Unknown;
    if (::stat(path.c_str(), &named) != 0)
        return errno == ENOENT ? Sameness::Different : Sameness::Unknown;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino ? Sameness::Same
                                                                      : Sameness::Different;
}

std::string ResolvedPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string result = resolved;
    std::free(resolved);
    return result;
}

bool MoveOnto(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

}  // namespace tarvex::platform
