#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace tarvex::cli {

struct FlashRequest {
    std::optional<uint32_t> adapter;  // required when the driver reports several adapters
    std::string image;
    bool force = false;   // flash an image made for another adapter
    bool yes = false;     // no confirmation question
    bool always = false;  // flash even when the ROM already holds the image
    std::string backup;   // save the ROM here first; empty for no backup
};

// What the command knows of its console.
struct Console {
    bool errTerminal = false;  // progress redraws one line
    bool inTerminal = false;   // a person can answer the confirmation
    std::istream* in = nullptr;
};

// Names the target, asks, backs up, then flashes with the run's events on err. After a failure
// it says what the ROM now holds and what to do. Returns the exit status: the run's status,
// 74 for an image file that cannot be opened or read, 64 when -a is needed, 77 when the user
// declines.
int RunFlash(const FlashRequest& request, const Console& console, std::ostream& out,
             std::ostream& err);

}  // namespace tarvex::cli
