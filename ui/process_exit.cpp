#include "ui/process_exit.h"

#include <cstdio>
#include <cstdlib>

namespace tarvex {

namespace {

ProcessExitHook g_exitHook = nullptr;

}  // namespace

void EndProcess(int status) {
    if (g_exitHook) {
        g_exitHook(status);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(status);
}

void SetProcessExitHook(ProcessExitHook hook) { g_exitHook = hook; }

}  // namespace tarvex
