#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

namespace tarvex::cli {

// Saves the adapter's whole ROM (romSize bytes) to path before a flash: read twice, and
// written only when both reads agree, whole or not at all. False, after saying why on err,
// when the backup cannot be trusted or written.
bool SaveBackupBeforeFlash(uint32_t adapter, uint32_t romSize, const std::string& path,
                           std::ostream& err);

}  // namespace tarvex::cli
