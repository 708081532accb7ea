#include "platform/interrupt_guard.h"

#include <csignal>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "platform/monotonic_clock.h"
#else
#include <unistd.h>
#endif

namespace tarvex::platform {

namespace {

// Read by the handler, so plain data set before it is installed.
const char* g_warning = "";
const char* g_final = "";
int g_exitStatus = 1;
int g_windowSeconds = 5;
volatile std::sig_atomic_t g_lastInterrupt = -1;  // seconds on the monotonic clock, or -1

long MonotonicSeconds() {
#ifdef _WIN32
    return static_cast<long>(MonotonicUs() / 1000000);
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long>(now.tv_sec);
#endif
}

void WriteError(const char* text) {
#ifdef _WIN32
    _write(2, text, static_cast<unsigned>(std::strlen(text)));
#else
    const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
    (void)ignored;
#endif
}

// Async-signal-safe: a clock read, a write and _exit.
void OnInterrupt() {
    const long now = MonotonicSeconds();
    if (g_lastInterrupt >= 0 && now - g_lastInterrupt <= g_windowSeconds) {
        WriteError(g_final);
        _exit(g_exitStatus);
    }
    g_lastInterrupt = static_cast<std::sig_atomic_t>(now);
    WriteError(g_warning);
}

#ifdef _WIN32
BOOL WINAPI ConsoleHandler(DWORD event) {
    OnInterrupt();
    // A closing console ends the process soon whatever the handler says; keep it for now.
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT;
}
#else
constexpr int GuardedSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[sizeof GuardedSignals / sizeof GuardedSignals[0]];

void SignalHandler(int) { OnInterrupt(); }
#endif

}  // namespace

InterruptGuard::InterruptGuard(const char* warning, const char* final, int exitStatus,
                               int windowSeconds) {
    g_warning = warning;
    g_final = final;
    g_exitStatus = exitStatus;
    g_windowSeconds = windowSeconds;
    g_lastInterrupt = -1;
#ifdef _WIN32
    SetConsoleCtrlHandler(ConsoleHandler, TRUE);
#else
    struct sigaction action {};
    action.sa_handler = SignalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < sizeof GuardedSignals / sizeof GuardedSignals[0]; ++i)
        sigaction(GuardedSignals[i], &action, &g_previous[i]);
#endif
}

InterruptGuard::~InterruptGuard() {
#ifdef _WIN32
    SetConsoleCtrlHandler(ConsoleHandler, FALSE);
#else
    for (size_t i = 0; i < sizeof GuardedSignals / sizeof GuardedSignals[0]; ++i)
        sigaction(GuardedSignals[i], &g_previous[i], nullptr);
#endif
}

}  // namespace tarvex::platform
