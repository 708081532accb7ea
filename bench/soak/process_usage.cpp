#include "bench/soak/process_usage.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/unfinished_files.h"

namespace tarvex::soak {

namespace {

size_t ResidentKiB() {
    size_t pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE)) / 1024;
}

size_t Entries(const std::filesystem::path& folder, size_t* unfinished = nullptr) {
    size_t count = 0;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored)) {
        ++count;
        if (unfinished &&
            entry.path().filename().string().find(platform::UnfinishedMark) != std::string::npos)
            ++*unfinished;
    }
    return count;
}

}  // namespace

ProcessUsage MeasureUsage(const std::string& folder) {
    ProcessUsage usage;
    usage.residentKiB = ResidentKiB();
    usage.openFiles = Entries("/proc/self/fd") - 1;  // less the one listing them
    usage.folderFiles = Entries(folder, &usage.unfinished);
    return usage;
}

}  // namespace tarvex::soak
