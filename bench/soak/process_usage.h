#pragma once
#include <cstddef>
#include <string>

namespace tarvex::soak {

// What the process holds at one moment, to see that runs leave nothing behind.
struct ProcessUsage {
    size_t residentKiB = 0;  // resident set size
    size_t openFiles = 0;    // open descriptors
    size_t folderFiles = 0;  // entries in the soak's folder
    size_t unfinished = 0;   // of which files named as unfinished
};

ProcessUsage MeasureUsage(const std::string& folder);

}  // namespace tarvex::soak
