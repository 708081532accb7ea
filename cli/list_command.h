#pragma once
#include <iosfwd>

namespace tarvex::cli {

// Prints the driver's interface version and one entry per adapter; returns the exit status.
// Without chips, nothing is sent to a chip and each entry says its chip was not checked.
int RunList(bool json, std::ostream& out, std::ostream& err, bool chips = true);

}  // namespace tarvex::cli
