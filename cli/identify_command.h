#pragma once
#include <cstdint>
#include <iosfwd>

namespace tarvex::cli {

// Identifies one adapter's flash chip and tells what the scan cost.
int RunIdentify(uint32_t adapter, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
