#pragma once

namespace tarvex::platform {

// While one lives, the first interrupt (Ctrl-C, SIGTERM, SIGHUP; on Windows the console's
// break and close events) writes `warning` to standard error and is otherwise ignored; a
// second one within `windowSeconds` writes `final` and ends the process at once with
// `exitStatus`. The texts must outlive the guard. One guard at a time.
class InterruptGuard {
public:
    InterruptGuard(const char* warning, const char* final, int exitStatus, int windowSeconds);
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
};

}  // namespace tarvex::platform
