#pragma once
// Google Test's own hook (gtest/internal/custom/gtest-port.h), found before its empty one where
// the runtime has no std::mutex (MinGW's win32 thread model): Google Test's start signal for
// threads of its own, which it would build on std::mutex. These tests start no such thread.
#include <atomic>
#include <thread>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    void Notify() { m_notified = true; }
    void WaitForNotification() {
        while (!m_notified) std::this_thread::yield();
    }

private:
    std::atomic<bool> m_notified{false};
};

}  // namespace testing::internal
