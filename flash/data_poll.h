#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

inline constexpr uint32_t DataPollReadLimit = 100000;
// Pause between the reads that go on past the read limit.
inline constexpr uint32_t DataPollPauseMs = 1;

// Bit-7 data polling: reads the byte at offset until its bit 7 equals the expected byte's,
// at first DataPollReadLimit times with no wait; then, while the time limit has not passed
// on the provider's clock since the first read, once more after each pause. 1 when the chip
// shows completion, else 0.
int32_t DataPoll(AdapterIndex adapter, uint32_t offset, uint8_t expected);

// How long a poll may go on: the longest the identified part may stay busy. 0, the start
// value, leaves only the read limit.
void SetDataPollTimeLimit(uint64_t microseconds);
uint64_t DataPollTimeLimit();

}  // namespace tarvex
