#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace tarvex::cli {

// Reads the adapter's whole ROM (romSize bytes) with block reads before anything reaches the
// chip. With a backup path it reads twice, compares, and writes the backup whole or not at all.
// Returns 0 with `before` holding the ROM, or the status after saying why on err: 10 for a ROM
// that cannot be read or reads differently twice, 6 and 5 for a backup that cannot be created or
// written whole.
int KeepRomBeforeFlash(uint32_t adapter, uint32_t romSize, const std::string& backup,
                       std::vector<uint8_t>& before, std::ostream& err);

}  // namespace tarvex::cli
