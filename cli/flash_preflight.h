#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::cli {

// What a flash will do, found out before anything is erased: the target, the bytes it will
// write, and what the ROM holds over them now.
struct Preflight {
    bool reachesChip = false;    // adapter, chip and image are known and the run will write
    std::string target;          // one line naming adapter, chip, file and image identity
    std::vector<uint8_t> image;  // as the flash writes it, cut at the chip's end
    std::vector<uint8_t> before;  // the ROM over the same bytes; empty when unreadable
    uint32_t romSize = 0;         // the adapter's whole ROM, for a backup
    int openError = 0;            // errno when the image file cannot be opened
};

// Queries the adapter, identifies its chip and loads the image as a flash does, posting
// nothing; nothing is written.
Preflight PrepareFlash(uint32_t adapter, const std::string& path, bool force);

}  // namespace tarvex::cli
