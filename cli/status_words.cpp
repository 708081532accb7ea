#include "cli/status_words.h"

#include "flash/flash_status.h"

namespace tarvex::cli {

namespace {
constexpr const char* Words[FlashStatusCount] = {
    "success",
    "the image file cannot be opened",
    "the file is not a usable BIOS image",
    "there is not enough memory for the image",
    "the image file could not be read whole",
    "the backup file could not be written whole",
    "the backup file cannot be created",
    "the image is made for another adapter, or the adapter's identity cannot be read",
    "no supported flash chip was found",
    "programming the chip failed",
    "the ROM could not be read",
    "the chip erase did not complete",
    "a sector or boot block of the chip is protected",
    "the ROM differs from the image after programming",
    "the adapter does not answer",
    "the image is larger than the adapter's ROM or its flash chip",
    "identifying the chip changed the ROM and could not put it back",
};
}  // namespace

const char* StatusWords(int32_t status) {
    if (status < 0 || status >= FlashStatusCount) return "an unknown failure";
    return Words[status];
}

}  // namespace tarvex::cli
