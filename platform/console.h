#pragma once

namespace tarvex::platform {

// Whether the process's standard input or standard error is a terminal (a console).
bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

}  // namespace tarvex::platform
