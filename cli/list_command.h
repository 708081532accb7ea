#pragma once
#include <iosfwd>

namespace tarvex::cli {

// Prints the driver's interface version and one entry per adapter; returns the exit status.
int RunList(bool json, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
