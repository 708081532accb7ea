#pragma once
#include <functional>
#ifndef _WIN32
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace tarvex::testing {

// A thread of a test's own, joined at the latest when it goes. On Windows it is the system's
// thread: the i686 build's runtime (MinGW's win32 thread model) has no std::thread.
class TestThread {
public:
    explicit TestThread(std::function<void()> body);
    ~TestThread() { Join(); }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;
    void Join();

private:
    std::function<void()> m_body;
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    std::thread m_thread;
#endif
};

// A flag that one thread raises and another waits for.
class TestSignal {
public:
    TestSignal();
    ~TestSignal();
    TestSignal(const TestSignal&) = delete;
    TestSignal& operator=(const TestSignal&) = delete;
    void Raise();
    void Wait();

private:
#ifdef _WIN32
    void* m_event;
#else
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_raised = false;
#endif
};

}  // namespace tarvex::testing
