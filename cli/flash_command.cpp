#include "cli/flash_command.h"

#include <cstdio>
#include <cstring>
#include <istream>
#include <ostream>

#include "cli/adapter_choice.h"
#include "cli/console_progress.h"
#include "cli/exit_codes.h"
#include "cli/flash_backup.h"
#include "cli/flash_preflight.h"
#include "cli/rom_state.h"
#include "cli/run_outcome.h"
#include "image/flash_from_file.h"
#include "image/rom_reader.h"
#include "platform/interrupt_guard.h"

namespace tarvex::cli {

namespace {

constexpr int InterruptWindowSeconds = 5;
constexpr int InterruptedExit = 130;
constexpr const char* InterruptWarning =
    "\nInterrupting now would leave the adapter's ROM partly written and the adapter unbootable,"
    " so the flash goes on. Interrupt again within 5 seconds to stop it all the same.\n";
constexpr const char* InterruptFinal =
    "\nStopped: the adapter's ROM is partly written, and the adapter will not boot until a "
    "flash succeeds.\n";

bool AskToGoOn(const Console& console, std::ostream& err) {
    err << "Erase and reprogram this adapter's BIOS? [y/N] ";
    err.flush();
    std::string answer;
    if (console.in == nullptr || !std::getline(*console.in, answer)) answer.clear();
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

std::string RestoreCommand(uint32_t adapter, const std::string& backup) {
    if (backup.empty()) return "";
    return "tarvex-flash-cli flash '" + backup + "' -a " + std::to_string(adapter) +
           " --force --yes";
}

// What the ROM holds after a failed run: failures before the chip leave it as it was; the
// others are judged from a read-back.
RomStateReport RomStateAfter(int32_t status, uint32_t adapter, const Preflight& pre) {
    RomStateReport report;
    const bool chipTouched = status == StatusEpromWrite || status == StatusEraseFailed ||
                             status == StatusProtected || status == StatusVerifyFailed;
    if (!chipTouched) {
        report.state = RomState::Untouched;
        return report;
    }
    std::vector<uint8_t> after;
    if (pre.before.empty() ||
        ReadRomQuietly(adapter, static_cast<uint32_t>(pre.before.size()), after) != StatusOk)
        return report;
    report = JudgeRomState(pre.before, pre.image, after);
    // A chip still busy erasing answers with status bytes, which prove nothing of its cells.
    if (status == StatusEraseFailed && report.state != RomState::Untouched &&
        report.state != RomState::Erased)
        report.state = RomState::EraseRunning;
    return report;
}

// The checks before anything is erased; 0 to go on, else the exit status (with nothing done).
int BeforeErasing(const FlashRequest& request, const Console& console, uint32_t adapter,
                  const Preflight& pre, std::ostream& out, std::ostream& err) {
    if (!pre.reachesChip) return -1;  // the run stops before the chip and says why
    err << pre.target << "\n";
    if (!request.always && !pre.before.empty() && pre.before == pre.image) {
        out << "The ROM already holds this image; nothing was erased (--always flashes it "
               "anyway).\n";
        return ExitOk;
    }
    if (console.inTerminal && !request.yes && !AskToGoOn(console, err)) {
        err << "Nothing was changed.\n";
        return ExitDeclined;
    }
    if (!request.backup.empty() &&
        !SaveBackupBeforeFlash(adapter, pre.romSize, request.backup, err))
        return ExitFileError;
    return -1;
}

}  // namespace

int RunFlash(const FlashRequest& request, const Console& console, std::ostream& out,
             std::ostream& err) {
    // Texts posted before the sink is installed go to standard error directly; keep the order.
    out.flush();
    err.flush();
    std::fflush(nullptr);
    uint32_t adapter = 0;
    if (!ChooseAdapter(request.adapter, adapter, err)) return ExitUsage;
    const Preflight pre = PrepareFlash(adapter, request.image, request.force);
    if (const int stop = BeforeErasing(request, console, adapter, pre, out, err); stop >= 0)
        return stop;

    FlashStatus status = StatusOk;
    {
        const platform::InterruptGuard guard(InterruptWarning, InterruptFinal, InterruptedExit,
                                             InterruptWindowSeconds);
        BeginConsoleProgress(err, console.errTerminal);
        status = FlashFromFile(adapter, request.image.c_str(), request.force ? 1 : 0,
                               ConsoleProgressSink);
        EndConsoleProgress();
    }
    PrintOutcome(status, err);
    if (status == StatusOk) return ExitOk;
    if (pre.openError != 0) err << "Reason: " << std::strerror(pre.openError) << ".\n";
    err << RomStateSentence(RomStateAfter(status, adapter, pre), status,
                            RestoreCommand(adapter, request.backup))
        << "\n";
    if (!request.backup.empty()) err << "The backup is in " << request.backup << ".\n";
    return status == StatusOpenFailed || status == StatusReadError ? ExitFileError : status;
}

}  // namespace tarvex::cli
