#pragma once
#include <string>

namespace tarvex::platform {

// True when the path names a regular file (following links); errno says why when not, 0 when
// it exists but is something else.
bool IsRegularFile(const std::string& path);

}  // namespace tarvex::platform
