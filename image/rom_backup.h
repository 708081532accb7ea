#pragma once
#include "driver/transport.h"
#include "flash/flash_status.h"

namespace tarvex {

inline constexpr uint32_t BackupBlockSize = 512;

// Reads the adapter's whole ROM (its size set from the adapter's identity) into a file, 512
// bytes at a time. A regular file appears only once the whole ROM is written, so a failed
// backup leaves no partial file and an earlier file at the path intact. Posts its texts to the
// current sink; installs none.
FlashStatus BackupRom(AdapterIndex adapter, const char* path);

}  // namespace tarvex
