#pragma once
#include <cstdint>

#include "driver/transport.h"
#include "flash/event_channel.h"
#include "flash/flash_status.h"

namespace tarvex {

// Loads a BIOS image file, checks it against the adapter (unless the low 8 bits of force are
// set) and programs and verifies it. Installs the sink once the file is open and leaves it
// installed. Returns the run's status, 0 when the image was programmed and verified.
FlashStatus FlashFromFile(AdapterIndex adapter, const char* path, int32_t force, EventSink sink);

}  // namespace tarvex
