#include "platform/temp_file.h"

#include <windows.h>

namespace tarvex::platform {

// The system names the file after the prefix with a unique hexadecimal number and ".TMP".
std::string CreateTempImageFile(const std::string& prefix) {
    char folder[MAX_PATH + 1] = {};
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) return {};
    if (::GetTempFileNameA(folder, prefix.c_str(), 0, path) == 0) return {};
    return path;
}

void DeleteTempFile(const std::string& path) {
    if (!path.empty()) ::DeleteFileA(path.c_str());
}

}  // namespace tarvex::platform
