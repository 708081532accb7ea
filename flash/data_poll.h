#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

inline constexpr uint32_t DataPollReadLimit = 100000;

// Bit-7 data polling: reads the byte at offset until its bit 7 equals the expected byte's,
// at most DataPollReadLimit times with no wait. 1 when the chip shows completion, else 0.
int32_t DataPoll(AdapterIndex adapter, uint32_t offset, uint8_t expected);

}  // namespace tarvex
