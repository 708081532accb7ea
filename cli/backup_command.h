#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace tarvex::cli {

// Backs an adapter's ROM up into a file, showing the texts on err. Returns the backup's status
// code as the exit status.
int RunBackup(const std::optional<uint32_t>& adapter, const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
