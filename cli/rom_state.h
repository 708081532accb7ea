#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::cli {

// What an adapter's ROM holds after a failed flash.
enum class RomState { Untouched, Erased, PartlyWritten, WrittenButDifferent, EraseRunning, Unreadable };

struct RomStateReport {
    RomState state = RomState::Unreadable;
    uint32_t firstDifference = 0;  // where a written ROM differs from the image
};

// Compares the ROM read after the failure with what it held before and with the image being
// written (both `after.size()` bytes long when known; an empty `before` is not known).
RomStateReport JudgeRomState(const std::vector<uint8_t>& before, const std::vector<uint8_t>& image,
                             const std::vector<uint8_t>& after);

// One plain sentence of what the ROM holds, then what to do next. `restore` is the command
// that restores a backup, empty without one.
std::string RomStateSentence(const RomStateReport& report, int32_t status,
                             const std::string& restore);

}  // namespace tarvex::cli
