#pragma once
#include <string>

namespace tarvex::platform {

enum class HostLockState {
    Held,           // this object holds the lock
    HeldElsewhere,  // another process (or another object of this one) holds it
    Unavailable,    // the lock cannot be taken at all; errno (Linux) tells why
};

// The one lock of the host for everything that sends command cycles to a flash chip: an
// advisory lock on a file on Linux, a named mutex on Windows. Taken without waiting, held until
// Release or the object's end, and released by the system when the process dies, however it
// dies. A process takes it once: on Windows a second object of the holding thread would get it
// again.
class HostLock {
public:
    HostLock() = default;
    ~HostLock() { Release(); }
    HostLock(const HostLock&) = delete;
    HostLock& operator=(const HostLock&) = delete;

    // One attempt; Held also when this object held the lock already.
    HostLockState TryAcquire();
    void Release();
    bool IsHeld() const;

private:
#ifdef _WIN32
    void* m_mutex = nullptr;
#else
    int m_fd = -1;
#endif
};

// Where the lock lives, for messages and tests: TARVEX_LOCK_FILE when set; else on Linux
// /run/lock/tarvex-flash.lock (/tmp/tarvex-flash.lock without /run/lock), on Windows the
// mutex Global\TarvexFlashOperation.
std::string HostLockName();

}  // namespace tarvex::platform
