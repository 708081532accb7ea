#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

#include "image/flashed_image.h"

namespace tarvex::cli {

// What a flash learns before anything reaches the chip: the adapter, its identity and ROM, and
// the image loaded once from its file.
struct FlashTarget {
    std::string adapterText;  // "Adapter 0: A, PCI 1C5D:0A12"
    PciIdentity identity = 0;
    uint32_t romSize = 0;  // the adapter's whole ROM
    FlashedImage image;
};

// Opens and loads the image file with adapter queries only, posting the load's texts: refuses a
// backup path that names the image file itself, an adapter that does not answer, an image that
// is no BIOS, made for another adapter (unless forced) or larger than the adapter's ROM.
// Returns 0, or the exit status after saying why on err; no EPROM request is sent either way.
int LoadFlashTarget(uint32_t adapter, const std::string& path, bool force,
                    const std::string& backup, FlashTarget& target, std::ostream& err);

// The sentence that refuses an image file of `size` bytes for this adapter's ROM, or for the
// chip of catalogue row `row`; empty when it fits.
std::string TooLargeForRom(int64_t size, uint32_t romSize, uint32_t adapter);
std::string TooLargeForChip(int64_t size, int32_t row);

}  // namespace tarvex::cli
