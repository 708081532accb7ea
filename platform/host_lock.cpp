#include "platform/host_lock.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tarvex::platform {

namespace {

const char* LockOverride() {
    const char* name = std::getenv("TARVEX_LOCK_FILE");
    return name != nullptr && *name != '\0' ? name : nullptr;
}

}  // namespace

#ifdef _WIN32

std::string HostLockName() {
    if (const char* name = LockOverride()) {
        // A mutex name takes no backslash after its namespace.
        std::string local = name;
        for (char& c : local)
            if (c == '\\') c = '/';
        return "Local\\TarvexFlash:" + local;
    }
    return "Global\\TarvexFlashOperation";
}

HostLockState HostLock::TryAcquire() {
    if (m_mutex != nullptr) return HostLockState::Held;
    const std::string name = HostLockName();
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
    // A user who may not create it in the global namespace may still use one that exists.
    if (mutex == nullptr) mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
    if (mutex == nullptr) return HostLockState::Unavailable;
    switch (::WaitForSingleObject(mutex, 0)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its holder died holding it: the lock passes on
        m_mutex = mutex;
        return HostLockState::Held;
    case WAIT_TIMEOUT:
        ::CloseHandle(mutex);
        return HostLockState::HeldElsewhere;
    default:
        ::CloseHandle(mutex);
        return HostLockState::Unavailable;
    }
}

void HostLock::Release() {
    if (m_mutex == nullptr) return;
    ::ReleaseMutex(static_cast<HANDLE>(m_mutex));
    ::CloseHandle(static_cast<HANDLE>(m_mutex));
    m_mutex = nullptr;
}

bool HostLock::IsHeld() const { return m_mutex != nullptr; }

#else

namespace {

constexpr const char* RunLockFolder = "/run/lock";
constexpr const char* LockFileName = "tarvex-flash.lock";
constexpr int OpenAttempts = 4;

// Opens the lock file, creating it when missing. Another user's file in a sticky folder may
// not be opened with O_CREAT, so an existing one is opened without it; reading is enough for
// a lock.
int OpenLockFile(const std::string& path) {
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) return fd;
        fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// True when the path still names the locked file; one that was removed meanwhile locks nobody.
bool StillNamed(int fd, const std::string& path) {
    struct stat held {}, named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

std::string HostLockName() {
    if (const char* name = LockOverride()) return name;
    struct stat info {};
    const bool runLock = ::stat(RunLockFolder, &info) == 0 && S_ISDIR(info.st_mode);
    return std::string(runLock ? RunLockFolder : "/tmp") + "/" + LockFileName;
}

HostLockState HostLock::TryAcquire() {
    if (m_fd >= 0) return HostLockState::Held;
    const std::string path = HostLockName();
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        const int fd = OpenLockFile(path);
        if (fd < 0) return HostLockState::Unavailable;
        int result;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            const int reason = errno;
            ::close(fd);
            errno = reason;
            return reason == EWOULDBLOCK ? HostLockState::HeldElsewhere
                                         : HostLockState::Unavailable;
        }
        if (StillNamed(fd, path)) {
            m_fd = fd;
            return HostLockState::Held;
        }
        ::close(fd);
    }
    return HostLockState::Unavailable;
}

void HostLock::Release() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the last descriptor drops the lock
    m_fd = -1;
}

bool HostLock::IsHeld() const { return m_fd >= 0; }

#endif

}  // namespace tarvex::platform
