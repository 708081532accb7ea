#include "cli/rom_state.h"

#include <algorithm>
#include <cstdio>

#include "flash/flash_status.h"

namespace tarvex::cli {

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// What to do when the ROM is as it was: it depends on what stopped the flash.
const char* NextStepWhenUntouched(int32_t status) {
    switch (status) {
    case StatusNoAdapter:
        return "Check that the image is made for this adapter; --force flashes it all the same.";
    case StatusAdapterInfo:
        return "Check the adapter and its driver, then flash again.";
    case StatusNoEprom:
        return "The chip is not one this utility can program.";
    case StatusProtected:
        // Found before anything was erased; the engine's last line names the region.
        return "This utility cannot lift the protection: a protected sector can be unprotected "
               "in a device programmer, and a locked boot block stays locked, so this chip "
               "cannot take an image that reaches it.";
    case StatusEraseFailed:
    case StatusEpromWrite:
    case StatusVerifyFailed:
        return "Flash again; if it fails the same way, the chip may be faulty.";
    default:
        return "Check the image file, then flash again.";
    }
}

}  // namespace

RomStateReport JudgeRomState(const std::vector<uint8_t>& before, const std::vector<uint8_t>& image,
                             const std::vector<uint8_t>& after) {
    RomStateReport report;
    if (after.empty()) return report;
    if (after == before) {
        report.state = RomState::Untouched;
    } else if (std::all_of(after.begin(), after.end(), [](uint8_t b) { return b == 0xFF; })) {
        report.state = RomState::Erased;
    } else {
        // Written from the top down, so a failure midway leaves much of the ROM unlike the
        // image; a few differing bytes in a written ROM are cells that did not take.
        size_t wrong = 0;
        bool first = true;
        for (size_t i = 0; i < after.size(); ++i) {
            if (i < image.size() && after[i] == image[i]) continue;
            if (first) report.firstDifference = static_cast<uint32_t>(i);
            first = false;
            ++wrong;
        }
        report.state = wrong * 64 < after.size() ? RomState::WrittenButDifferent
                                                 : RomState::PartlyWritten;
    }
    return report;
}

std::string RomStateSentence(const RomStateReport& report, int32_t status,
                             const std::string& restore) {
    // The damage came before the flash read the ROM, so no read-back can show it.
    if (status == StatusScanChangedRom)
        return "The adapter's ROM is not as it was: identifying its chip changed it where the "
               "lines above say and it could not be put back, so the adapter may not boot. "
               "Nothing was flashed; write the saved bytes back with a device programmer.";
    const std::string orRestore =
        restore.empty() ? "" : " or restore the backup with: " + restore;
    switch (report.state) {
    case RomState::Untouched:
        return std::string("The adapter's ROM is untouched: it still holds the BIOS it had "
                           "before. ") +
               NextStepWhenUntouched(status);
    case RomState::Erased:
        return "The adapter's ROM is erased: the adapter will not boot from it. Flash again" +
               orRestore + ".";
    case RomState::PartlyWritten:
        return "The adapter's ROM is partly written: the adapter will not boot from it. Flash "
               "again" +
               orRestore + ".";
    case RomState::WrittenButDifferent:
        return "The adapter's ROM holds the new image but differs from it at offset " +
               Hex(report.firstDifference) + ": the chip may be faulty. Flash again" + orRestore +
               ".";
    case RomState::EraseRunning:
        return "The chip has not finished its erase, so the ROM reads as status, not data: it may "
               "still hold the BIOS it had before, or part of it. Flash again" +
               orRestore + ".";
    case RomState::Unreadable:
        break;
    }
    return "The adapter's ROM could not be read back, so what it holds is not known. Flash again" +
           orRestore + ".";
}

}  // namespace tarvex::cli
