#pragma once
#include <iosfwd>

namespace tarvex::cli {

// Prints the driver's interface version and one entry per adapter, after a first line saying
// so when the simulator answers in the driver's place; returns the exit status.
int RunList(bool json, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
