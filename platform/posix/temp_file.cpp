#include "platform/temp_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace tarvex::platform {

namespace {

std::string TempFolder() {
    for (const char* var : {"TMPDIR", "TMP", "TEMP"}) {
        const char* value = std::getenv(var);
        if (value && *value) {
            std::string folder(value);
            if (folder.back() != '/') folder += '/';
            return folder;
        }
    }
    return "/tmp/";
}

}  // namespace

std::string CreateTempImageFile(const std::string& prefix) {
    const std::string folder = TempFolder();
    std::random_device seed;
    std::mt19937 random(seed());
    // Same shape as the system's unique names: up to four hexadecimal digits.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char unique[8];
        std::snprintf(unique, sizeof unique, "%X", static_cast<unsigned>(random() % 0xFFFF) + 1);
        std::string path = folder + prefix + unique + ".TMP";
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

void DeleteTempFile(const std::string& path) {
    if (!path.empty()) ::unlink(path.c_str());
}

}  // namespace tarvex::platform
