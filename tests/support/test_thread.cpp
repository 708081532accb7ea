#include "support/test_thread.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvex::testing {

#ifdef _WIN32

namespace {
DWORD WINAPI RunBody(void* body) {
    (*static_cast<std::function<void()>*>(body))();
    return 0;
}
}  // namespace

TestThread::TestThread(std::function<void()> body) : m_body(std::move(body)) {
    m_handle = ::CreateThread(nullptr, 0, RunBody, &m_body, 0, nullptr);
}

void TestThread::Join() {
    if (m_handle == nullptr) return;
    ::WaitForSingleObject(m_handle, INFINITE);
    ::CloseHandle(m_handle);
    m_handle = nullptr;
}

TestSignal::TestSignal() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
TestSignal::~TestSignal() { ::CloseHandle(m_event); }
void TestSignal::Raise() { ::SetEvent(m_event); }
void TestSignal::Wait() { ::WaitForSingleObject(m_event, INFINITE); }

#else

TestThread::TestThread(std::function<void()> body)
    : m_body(std::move(body)), m_thread([this] { m_body(); }) {}

void TestThread::Join() {
    if (m_thread.joinable()) m_thread.join();
}

TestSignal::TestSignal() = default;
TestSignal::~TestSignal() = default;

void TestSignal::Raise() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_raised = true;
    }
    m_changed.notify_all();
}

void TestSignal::Wait() {
    std::unique_lock<std::mutex> guard(m_mutex);
    m_changed.wait(guard, [this] { return m_raised; });
}

#endif

}  // namespace tarvex::testing
