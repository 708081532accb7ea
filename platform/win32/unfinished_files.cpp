#include "platform/unfinished_files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <random>

namespace tarvex::platform {

namespace {

constexpr int CreateAttempts = 8;
constexpr char NameLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

// The writer keeps its file open without sharing deletion, so the system itself refuses to
// delete it while the writer lives and allows it once the writer is gone, however it ended.
int CreateUnfinishedFile(const std::string& target, std::string& temp) {
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<size_t> letter(0, sizeof NameLetters - 2);
    int reason = EEXIST;
    for (int attempt = 0; attempt < CreateAttempts; ++attempt) {
        temp = target + UnfinishedMark;
        for (int i = 0; i < 6; ++i) temp += NameLetters[letter(random)];
        HANDLE file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_EXISTS) continue;
            reason = ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
            break;
        }
        const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
        if (fd >= 0) return fd;
        reason = errno;
        ::CloseHandle(file);
        ::DeleteFileA(temp.c_str());
        break;
    }
    temp.clear();
    errno = reason;
    return -1;
}

void RemoveStaleUnfinishedFiles(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string pattern = target + UnfinishedMark + "*";
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            ::DeleteFileA((folder + found.cFileName).c_str());  // fails while its writer lives
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

}  // namespace tarvex::platform
