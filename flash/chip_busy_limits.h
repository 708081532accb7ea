#pragma once
#include <cstdint>

namespace tarvex {

// The longest time, by its datasheet, that a catalogue row's part may stay busy after an
// erase or program command (the longer of the two), in microseconds; 0 for the row the
// driver programs and for an index outside the table.
uint64_t ChipBusyLimitUs(int32_t row);
// The id the limit was written for, to keep this table in step with the catalogue's rows.
uint16_t ChipBusyLimitId(int32_t row);

}  // namespace tarvex
