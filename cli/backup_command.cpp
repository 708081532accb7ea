#include "cli/backup_command.h"

#include <cstdio>
#include <ostream>

#include "cli/adapter_choice.h"
#include "cli/console_progress.h"
#include "cli/exit_codes.h"
#include "cli/run_outcome.h"
#include "flash/event_channel.h"
#include "image/rom_backup.h"

namespace tarvex::cli {

int RunBackup(const std::optional<uint32_t>& given, const std::string& file, std::ostream& out,
              std::ostream& err) {
    out.flush();
    err.flush();
    std::fflush(nullptr);
    uint32_t adapter = 0;
    if (!ChooseAdapter(given, adapter, err)) return ExitUsage;
    // Backup posts to whatever sink is installed; the command lends it the console's.
    const EventSink previous = CurrentEventSink();
    BeginConsoleProgress(err, false);
    SetEventSink(ConsoleProgressSink);
    const FlashStatus status = BackupRom(adapter, file.c_str());
    SetEventSink(previous);
    EndConsoleProgress();
    PrintOutcome(status, err);
    return status;
}

}  // namespace tarvex::cli
