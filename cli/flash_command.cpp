#include "cli/flash_command.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <ostream>
#include <utility>

#include "cli/adapter_choice.h"
#include "cli/console_progress.h"
#include "cli/exit_codes.h"
#include "cli/flash_backup.h"
#include "cli/flash_target.h"
#include "cli/rom_state.h"
#include "cli/run_outcome.h"
#include "flash/chip_catalogue.h"
#include "flash/eprom_access.h"
#include "flash/event_channel.h"
#include "flash/identify.h"
#include "flash/scan_guard.h"
#include "image/rom_reader.h"
#include "platform/console.h"
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

// What one flash command knows as it goes: each step fills its part.
struct FlashSteps {
    uint32_t adapter = 0;
    FlashTarget target;
    int32_t row = -1;
    std::vector<uint8_t> image;   // as the flash writes it: checksum fixed, cut at the chip's end
    std::vector<uint8_t> before;  // the adapter's whole ROM before anything reached the chip
    bool backupWritten = false;
    uint64_t writesAtStart = 0;
};

bool AskToGoOn(const Console& console, std::ostream& err) {
    err << "Erase and reprogram this adapter's BIOS? [y/N] ";
    err.flush();
    std::string answer;
    if (console.in == nullptr || !std::getline(*console.in, answer)) answer.clear();
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes";
}

// What the ROM holds after a failed run: as it was while no write request reached it; else
// judged from a read-back.
RomStateReport RomStateAfter(int32_t status, const FlashSteps& steps) {
    RomStateReport report;
    if (EpromWritesSent() == steps.writesAtStart) {
        report.state = RomState::Untouched;
        return report;
    }
    std::vector<uint8_t> after;
    if (steps.before.empty() ||
        ReadRomQuietly(steps.adapter, static_cast<uint32_t>(steps.before.size()), after) !=
            StatusOk)
        return report;
    report = JudgeRomState(steps.before, steps.image, after);
    // A chip still busy erasing answers with status bytes, which prove nothing of its cells.
    if (status == StatusEraseFailed && report.state != RomState::Untouched &&
        report.state != RomState::Erased)
        report.state = RomState::EraseRunning;
    return report;
}

// The last lines of a flash that did not succeed; returns its exit status.
int Failed(int status, const FlashRequest& request, const FlashSteps& steps, std::ostream& err) {
    if (status >= FlashStatusCount) return status;  // refused before the adapter was asked
    PrintOutcome(status, err);
    const std::string restore = steps.backupWritten
                                    ? "tarvex-flash-cli flash '" + request.backup + "' -a " +
                                          std::to_string(steps.adapter) + " --force --yes"
                                    : "";
    err << RomStateSentence(RomStateAfter(status, steps), status, restore) << "\n";
    if (steps.backupWritten) err << "The backup is in " << request.backup << ".\n";
    return status == StatusOpenFailed || status == StatusReadError ? ExitFileError : status;
}

// Identifies the chip and checks that the image fits it; 0 to go on.
int IdentifyTarget(FlashSteps& steps, std::ostream& err) {
    steps.row = IdentifyFlashChip(steps.adapter);
    // The scan has said where it changed the ROM and where the old bytes are.
    if (ScanChangedRom(steps.adapter)) return StatusScanChangedRom;
    if (steps.row < 0) {
        LogEvent(EventText, 0, "No Support EPROM found\n");
        return StatusNoEprom;
    }
    const LoadedImage& loaded = steps.target.image.loaded;
    const std::string tooLarge = TooLargeForChip(loaded.fileSize, steps.row);
    if (!tooLarge.empty()) {
        err << tooLarge << "; nothing was erased.\n";
        return StatusImageTooLarge;
    }
    const uint32_t length = ProgrammedLength(static_cast<uint32_t>(loaded.length), steps.row);
    steps.image.assign(loaded.bytes.get(), loaded.bytes.get() + length);
    return 0;
}

// Every check before the erase, in order; 0 to flash, -1 when there is nothing to do, else the
// status that stops the flash.
int BeforeErasing(const FlashRequest& request, const Console& console, FlashSteps& steps,
                  std::ostream& out, std::ostream& err) {
    if (const int stop = LoadFlashTarget(steps.adapter, request.image, request.force,
                                         request.backup, steps.target, err))
        return stop;
    if (const int stop = KeepRomBeforeFlash(steps.adapter, steps.target.romSize, request.backup,
                                            steps.before, err))
        return stop;
    steps.backupWritten = !request.backup.empty();
    if (const int stop = IdentifyTarget(steps, err)) return stop;
    char made[16];
    const PciIdentity identity = steps.target.image.identity;
    std::snprintf(made, sizeof made, "%04X:%04X", identity & 0xFFFF, identity >> 16);
    err << steps.target.adapterText << ", flash chip " << FlashChipTable[steps.row].name
        << "; image " << request.image << ", made for " << made << ".\n";
    if (!request.always && steps.before.size() >= steps.image.size() &&
        std::equal(steps.image.begin(), steps.image.end(), steps.before.begin())) {
        out << "The ROM already holds this image; nothing was erased (--always flashes it "
               "anyway).\n";
        return -1;
    }
    if (console.inTerminal && !request.yes && !AskToGoOn(console, err)) {
        err << "Nothing was changed.\n";
        return ExitDeclined;
    }
    return 0;
}

int RunSteps(const FlashRequest& request, const Console& console, FlashSteps& steps,
             std::ostream& out, std::ostream& err) {
    if (!ChooseAdapter(request.adapter, steps.adapter, err)) return ExitUsage;
    const int stop = BeforeErasing(request, console, steps, out, err);
    if (stop == -1) return ExitOk;
    if (stop != 0) return Failed(stop, request, steps, err);
    FlashStatus status = StatusOk;
    {
        const platform::InterruptGuard guard(InterruptWarning, InterruptFinal, InterruptedExit,
                                             InterruptWindowSeconds);
        status = FlashLoadedImage(steps.adapter, std::move(steps.target.image.loaded), steps.row,
                                  ConsoleProgressSink);
    }
    if (status != StatusOk) return Failed(status, request, steps, err);
    PrintOutcome(status, err);
    return ExitOk;
}

}  // namespace

int RunFlash(const FlashRequest& request, const Console& console, std::ostream& out,
             std::ostream& err) {
    // Texts posted before the sink is installed go to standard error directly; keep the order.
    out.flush();
    err.flush();
    std::fflush(nullptr);
    platform::IgnoreBrokenPipes();
    FlashSteps steps;
    steps.writesAtStart = EpromWritesSent();
    const EventSink previous = CurrentEventSink();
    BeginConsoleProgress(err, console.errTerminal);
    SetEventSink(ConsoleProgressSink);
    const int exit = RunSteps(request, console, steps, out, err);
    EndConsoleProgress();
    if (CurrentEventSink() == ConsoleProgressSink) SetEventSink(previous);
    return exit;
}

}  // namespace tarvex::cli
