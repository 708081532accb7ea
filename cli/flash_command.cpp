#include "cli/flash_command.h"

#include <cstdio>
#include <ostream>

#include "cli/console_progress.h"
#include "cli/run_outcome.h"
#include "image/flash_from_file.h"

namespace tarvex::cli {

int RunFlash(uint32_t adapter, const std::string& image, bool force, bool terminal,
             std::ostream& out, std::ostream& err) {
    // Texts posted before the sink is installed go to standard error directly; keep the order.
    out.flush();
    err.flush();
    std::fflush(nullptr);
    BeginConsoleProgress(err, terminal);
    const FlashStatus status =
        FlashFromFile(adapter, image.c_str(), force ? 1 : 0, ConsoleProgressSink);
    EndConsoleProgress();
    PrintOutcome(status, err);
    return status;
}

}  // namespace tarvex::cli
