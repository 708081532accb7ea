#pragma once
#include <iosfwd>

namespace tarvex::cli {

// Prints the driver's interface version and one entry per adapter, after a first line saying
// so when the simulator answers in the driver's place; returns the exit status. Without chips,
// nothing is sent to a chip and each entry says its chip was not checked.
int RunList(bool json, std::ostream& out, std::ostream& err, bool chips = true);

}  // namespace tarvex::cli
