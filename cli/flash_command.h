#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

namespace tarvex::cli {

// Flashes an image file into an adapter, showing the run's events on err (a redrawn progress
// line when terminal is set). Returns the run's status code as the exit status.
int RunFlash(uint32_t adapter, const std::string& image, bool force, bool terminal,
             std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
