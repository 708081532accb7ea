#include "platform/removal_at_exit.h"

#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace tarvex::platform {

namespace {

constexpr int GuardedSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A copy the handler can read without allocating, and the handlers it stands in for.
char g_guardedPath[PATH_MAX];
volatile sig_atomic_t g_armed = 0;
struct sigaction g_previous[std::size(GuardedSignals)];
bool g_installed = false;

// Qt ends the process with exit() when the display connection breaks.
void RemoveAtExit() {
    if (g_armed) ::unlink(g_guardedPath);
}

void RemoveAndEnd(int signalNumber) {
    if (g_armed) ::unlink(g_guardedPath);
    ::signal(signalNumber, SIG_DFL);
    ::raise(signalNumber);
}

}  // namespace

void ArmRemovalAtExit(const std::string& path) {
    g_armed = 0;
    if (path.empty() || path.size() >= sizeof g_guardedPath) return;
    std::memcpy(g_guardedPath, path.c_str(), path.size() + 1);
    g_armed = 1;
    if (g_installed) return;
    static const bool atExitRegistered = std::atexit(RemoveAtExit) == 0;
    (void)atExitRegistered;
    for (size_t i = 0; i < std::size(GuardedSignals); ++i) {
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(GuardedSignals[i], &action, &g_previous[i]);
    }
    g_installed = true;
}

void DisarmRemovalAtExit() {
    g_armed = 0;
    if (!g_installed) return;
    for (size_t i = 0; i < std::size(GuardedSignals); ++i)
        ::sigaction(GuardedSignals[i], &g_previous[i], nullptr);
    g_installed = false;
}

}  // namespace tarvex::platform
