#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

// Protection found before a program routine erases or writes anything, for the chip the run
// identified (the run state's). Each returns 1 when nothing protected lies in the first
// length bytes; otherwise it records StatusProtected, posts the message and a line naming the
// region, and returns 0. Either way the chip is back in read mode.

// Short-set parts: the autoselect sector-protect codes at 0x0002, 0x4002, 0x8002 and 0xC002,
// then those of the identified part's other sectors that the image reaches.
int32_t CheckProtectedSectors(AdapterIndex adapter, uint32_t length);

// Parts with boot-block lockout: the lockout codes of the boot blocks the image reaches, read
// in the part's own ID mode. Reads nothing for a part without boot blocks.
int32_t CheckBootBlockLocks(AdapterIndex adapter, uint32_t length);

}  // namespace tarvex
