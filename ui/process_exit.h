#pragma once

namespace tarvex {

// Ends the process with the status. Tests install a hook that records the status and returns;
// the caller then returns at once as if the process had ended.
using ProcessExitHook = void (*)(int status);
void EndProcess(int status);
// Null returns to ending the process.
void SetProcessExitHook(ProcessExitHook hook);

}  // namespace tarvex
