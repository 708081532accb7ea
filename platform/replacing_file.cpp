#include "platform/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>

#include "platform/unfinished_files.h"

namespace tarvex::platform {

ReplacingFile::~ReplacingFile() { Abort(); }

bool ReplacingFile::Open(const std::string& path, unsigned mode) {
    Abort();
    m_target = path;
    struct stat info {};
    const bool exists = ::stat(path.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        return m_fd >= 0;
    }
    if (exists) {
        // Replace the file the path names, also through a link, only where opening it for
        // writing would be allowed, and keep its permissions.
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            m_target = resolved;
            std::free(resolved);
        }
        if (::access(m_target.c_str(), W_OK) != 0) return false;
        mode = info.st_mode & 07777;
    }
    RemoveStaleUnfinishedFiles(m_target);
    std::string temp;
    m_fd = CreateUnfinishedFile(m_target, temp);
    if (m_fd < 0) {
        // A folder that takes no new file: an existing file can still be rewritten in place.
        if (exists) m_fd = ::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        return m_fd >= 0;
    }
    ::fchmod(m_fd, static_cast<mode_t>(mode));
    m_temp = temp;
    return true;
}

size_t ReplacingFile::Write(const void* data, size_t length) {
    if (m_fd < 0) return 0;
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::write(m_fd, bytes + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool ReplacingFile::Commit() {
    if (m_fd < 0) return false;
    bool ok = true;
    if (!m_temp.empty() && ::fsync(m_fd) != 0) ok = false;
    if (::close(m_fd) != 0) ok = false;
    m_fd = -1;
    if (m_temp.empty()) return ok;
    if (ok && ::rename(m_temp.c_str(), m_target.c_str()) != 0) ok = false;
    if (!ok) ::unlink(m_temp.c_str());
    m_temp.clear();
    return ok;
}

void ReplacingFile::Abort() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_temp.empty()) ::unlink(m_temp.c_str());
    m_temp.clear();
}

}  // namespace tarvex::platform
