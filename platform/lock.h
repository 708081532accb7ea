#pragma once
#ifndef _WIN32
#include <mutex>
#endif

namespace tarvex::platform {

// A recursive critical section: the thread that holds it may enter again.
class RecursiveLock {
public:
    RecursiveLock();
    ~RecursiveLock();
    RecursiveLock(const RecursiveLock&) = delete;
    RecursiveLock& operator=(const RecursiveLock&) = delete;

    void Enter();
    void Leave();

private:
#ifdef _WIN32
    // Room for the system's CRITICAL_SECTION, kept out of this header.
    alignas(8) unsigned char m_section[40];
#else
    std::recursive_mutex m_mutex;
#endif
};

class LockGuard {
public:
    explicit LockGuard(RecursiveLock& lock) : m_lock(lock) { m_lock.Enter(); }
    ~LockGuard() { m_lock.Leave(); }
    LockGuard(const LockGuard&) = delete;
    LockGuard& operator=(const LockGuard&) = delete;

private:
    RecursiveLock& m_lock;
};

}  // namespace tarvex::platform
