#pragma once

namespace tarvex::platform {

// Whether the process's standard input or standard error is a terminal (a console).
bool StandardInputIsTerminal();
bool StandardErrorIsTerminal();

// From now on, output to a closed pipe fails instead of ending the process, so that a reader
// that goes away cannot stop a flash midway.
void IgnoreBrokenPipes();

}  // namespace tarvex::platform
