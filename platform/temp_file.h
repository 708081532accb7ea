#pragma once
#include <string>

namespace tarvex::platform {

// Creates a new, empty file "<prefix><hex>.TMP" in the system's temporary folder, exclusively
// and readable only by its owner. Returns its full path, or an empty text on failure.
std::string CreateTempImageFile(const std::string& prefix);
// Deletes a file; an empty path or a missing file is not an error.
void DeleteTempFile(const std::string& path);

}  // namespace tarvex::platform
