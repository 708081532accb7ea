#pragma once
#include <cstdint>

namespace tarvex {

// The main window's event sink: phase labels and engine texts to the status line, percentages
// to the progress bar. While a run blocks the window it lets the window repaint now and then,
// without taking any input.
void FlashProgressSink(uint32_t code, int32_t value, const char* text);

}  // namespace tarvex
