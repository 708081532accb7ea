#pragma once
#include <cstdint>
#include <iosfwd>

namespace tarvex::cli {

// Shows engine events on a console stream. On a terminal the progress of a phase redraws one
// line ("\rFlashing  42%"); otherwise each progress step of 10% gets a line of its own. Every
// text is shown on a line of its own, without its leading and trailing line breaks.
void BeginConsoleProgress(std::ostream& stream, bool terminal);
// Closes an open progress line; events that still arrive go to standard error.
void EndConsoleProgress();
// The EventSink the commands install.
void ConsoleProgressSink(uint32_t code, int32_t value, const char* text);
// Back to the start state (standard error, plain lines).
void ResetConsoleProgress();

}  // namespace tarvex::cli
