#pragma once
#include <cstdint>
#include <iosfwd>

namespace tarvex::cli {

// The last line of flash and backup: "Successful!", or "Failed! <words> (status <code>)".
void PrintOutcome(int32_t status, std::ostream& err);

}  // namespace tarvex::cli
