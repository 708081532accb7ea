#pragma once
#include <string>

namespace tarvex::platform {

// Names a file being written beside its target: "<target>.unfinished-XXXXXX".
inline constexpr const char* UnfinishedMark = ".unfinished-";

// Creates "<target>.unfinished-XXXXXX" beside the target and locks it for as long as the
// descriptor stays open; -1 when that fails (errno tells why). temp receives its path.
int CreateUnfinishedFile(const std::string& target, std::string& temp);

// Removes the unfinished files beside the target whose writers are gone (nobody holds their
// lock), such as those of a killed process. Files of live writers are kept.
void RemoveStaleUnfinishedFiles(const std::string& target);

}  // namespace tarvex::platform
