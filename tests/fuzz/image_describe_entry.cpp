#include <nlohmann/json.hpp>
#include <span>
#include <sstream>

#include "cli/exit_codes.h"
#include "cli/info_command.h"
#include "fuzz_entries.h"
#include "fuzz_support.h"
#include "image/option_rom_info.h"

namespace tarvex::fuzz {

int FuzzImageDescribe(const uint8_t* data, size_t size) {
    ResetProcessState();
    const OptionRomInfo rom = DescribeOptionRom(std::span<const uint8_t>(data, size));
    FuzzCheck(rom.fileSize == size, "the file's size is recorded");
    FuzzCheck(rom.images.size() <= MaxDescribedImages, "at most the described images");
    for (const RomImageInfo& image : rom.images)
        FuzzCheck(image.start < size || size == 0, "every image starts inside the file");

    MemoryFile file(data, size);
    for (const bool json : {false, true}) {
        std::ostringstream out, err;
        const int status = cli::RunInfo(file.Path(), json, out, err);
        FuzzCheck(status == (rom.problem == RomProblem::None ? cli::ExitOk : cli::ExitBadImage),
                  "info's status follows the description");
        FuzzCheck(status == cli::ExitOk || !err.str().empty(), "a refusal says why");
        if (json)
            FuzzCheck(nlohmann::json::accept(out.str()), "the JSON description is valid JSON");
    }
    return 0;
}

}  // namespace tarvex::fuzz
