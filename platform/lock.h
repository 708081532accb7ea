#pragma once
#include <mutex>

namespace tarvex::platform {

// A recursive critical section: the thread that holds it may enter again.
class RecursiveLock {
public:
    void Enter() { m_mutex.lock(); }
    void Leave() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
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
