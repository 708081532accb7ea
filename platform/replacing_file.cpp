#include "platform/replacing_file.h"

#include <cerrno>

#include "platform/file_io.h"
#include "platform/unfinished_files.h"

namespace tarvex::platform {

ReplacingFile::~ReplacingFile() { Abort(); }

bool ReplacingFile::Open(const std::string& path, unsigned mode) {
    Abort();
    m_target = path;
    const FileKind kind = KindOfPath(path);
    if (kind != FileKind::Missing && kind != FileKind::Regular) {
        m_fd = OpenForWriting(path, false);
        return m_fd >= 0;
    }
    const bool exists = kind == FileKind::Regular;
    if (exists) {
        // Replace the file the path names, also through a link, only where opening it for
        // writing would be allowed, and keep its permissions.
        m_target = ResolvedPath(path);
        if (!MayWrite(m_target)) return false;
        mode = ModeOfPath(m_target, mode);
    }
    RemoveStaleUnfinishedFiles(m_target);
    std::string temp;
    m_fd = CreateUnfinishedFile(m_target, temp);
    if (m_fd < 0) {
        // A folder that takes no new file: an existing file can still be rewritten in place.
        if (exists) m_fd = OpenForWriting(m_target, true);
        return m_fd >= 0;
    }
    SetFileMode(m_fd, mode);
    m_temp = temp;
    return true;
}

size_t ReplacingFile::Write(const void* data, size_t length) {
    return m_fd < 0 ? 0 : WriteFully(m_fd, data, length);
}

bool ReplacingFile::Commit() {
    if (m_fd < 0) return false;
    bool ok = true;
    if (!m_temp.empty() && !FlushToDisk(m_fd)) ok = false;
    if (!CloseFile(m_fd)) ok = false;
    m_fd = -1;
    if (m_temp.empty()) return ok;
    if (ok && !MoveOnto(m_temp, m_target)) ok = false;
    if (!ok) {
        const int reason = errno;
        RemoveFile(m_temp);
        errno = reason;
    }
    m_temp.clear();
    return ok;
}

void ReplacingFile::Abort() {
    if (m_fd >= 0) CloseFile(m_fd);
    m_fd = -1;
    if (!m_temp.empty()) RemoveFile(m_temp);
    m_temp.clear();
}

}  // namespace tarvex::platform
