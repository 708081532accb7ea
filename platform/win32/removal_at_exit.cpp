#include "platform/removal_at_exit.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace tarvex::platform {

namespace {

char g_guardedPath[MAX_PATH];
bool g_armed = false;

void RemoveAtExit() {
    if (g_armed) ::DeleteFileA(g_guardedPath);
}

}  // namespace

// A window program has no console signals; a session's end reaches the window itself.
void ArmRemovalAtExit(const std::string& path) {
    g_armed = false;
    if (path.empty() || path.size() >= sizeof g_guardedPath) return;
    std::memcpy(g_guardedPath, path.c_str(), path.size() + 1);
    g_armed = true;
    static const bool atExitRegistered = std::atexit(RemoveAtExit) == 0;
    (void)atExitRegistered;
}

void DisarmRemovalAtExit() { g_armed = false; }

}  // namespace tarvex::platform
