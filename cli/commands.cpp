#include "cli/commands.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/backup_command.h"
#include "cli/config_command.h"
#include "cli/exit_codes.h"
#include "cli/flash_command.h"
#include "cli/host_claim.h"
#include "cli/identify_command.h"
#include "cli/info_command.h"
#include "cli/list_command.h"
#include "cli/verify_command.h"
#include "platform/console.h"

namespace tarvex::cli {

namespace {

struct Options {
    bool json = false;
    uint32_t adapter = 0;
    std::optional<uint32_t> chosenAdapter;  // flash and backup: required with several adapters
    std::string path;
    bool force = false;
};

void RegisterFlashCommand(CLI::App& app, int& exitStatus) {
    auto request = std::make_shared<FlashRequest>();
    CLI::App* flash = app.add_subcommand(
        "flash", "Program an image into an adapter's ROM; exit status = the flash status code");
    flash->add_option("IMAGE", request->image, "BIOS image file")->required();
    flash->add_option("-a,--adapter", request->adapter,
                      "Adapter number (needed when there are several)");
    flash->add_flag("--force", request->force, "Flash even when the image is for another adapter");
    flash->add_flag("-y,--yes", request->yes, "Do not ask for confirmation on a terminal");
    flash->add_flag("--always", request->always, "Flash even when the ROM already holds the image");
    flash->add_option("--backup", request->backup,
                      "Save the whole ROM to this file first; no flash when that fails");
    flash->callback([request, &exitStatus] {
        const Console console{platform::StandardErrorIsTerminal(),
                              platform::StandardInputIsTerminal(), &std::cin};
        exitStatus = RunClaimed(std::cerr, [&request, &console] {
            return RunFlash(*request, console, std::cout, std::cerr);
        });
    });
}

void RegisterImageCommands(CLI::App& app, const std::shared_ptr<Options>& options,
                           int& exitStatus) {
    RegisterFlashCommand(app, exitStatus);

    CLI::App* backup = app.add_subcommand(
        "backup", "Save an adapter's whole ROM to a file; exit status = the backup status code");
    backup->add_option("FILE", options->path, "Backup file")->required();
    backup->add_option("-a,--adapter", options->chosenAdapter,
                       "Adapter number (needed when there are several)");
    backup->callback([options, &exitStatus] {
        exitStatus = RunClaimed(std::cerr, [&options] {
            return RunBackup(options->chosenAdapter, options->path, std::cout, std::cerr);
        });
    });

    CLI::App* verify =
        app.add_subcommand("verify",
                           "Compare an adapter's ROM with an image as a flash would program it "
                           "(exit 0 same, 13 different)");
    verify->add_option("IMAGE", options->path, "BIOS image file")->required();
    verify->add_option("-a,--adapter", options->adapter, "Adapter number")->default_val(0);
    verify->callback([options, &exitStatus] {
        exitStatus = RunClaimed(std::cerr, [&options] {
            return RunVerify(options->adapter, options->path, std::cout, std::cerr);
        });
    });

    CLI::App* info = app.add_subcommand("info", "Describe a BIOS image file");
    info->add_option("IMAGE", options->path, "BIOS image file")->required();
    info->add_flag("--json", options->json, "Print JSON");
    info->callback([options, &exitStatus] {
        exitStatus = RunInfo(options->path, options->json, std::cout, std::cerr);
    });

    auto request = std::make_shared<ConfigRequest>();
    CLI::App* config = app.add_subcommand(
        "config", "List a BIOS image's config entries, or set them and write the image");
    config->add_option("IMAGE", request->image, "BIOS image file")->required();
    config->add_option("--set", request->settings, "ROW=VALUE (row number or exact label)");
    config->add_option("-o,--output", request->output, "Write here instead of over IMAGE");
    config->add_flag("--json", request->json, "Print JSON");
    config->callback(
        [request, &exitStatus] { exitStatus = RunConfig(*request, std::cout, std::cerr); });
}

}  // namespace

void RegisterCommands(CLI::App& app, int& exitStatus) {
    auto options = std::make_shared<Options>();
    // "/path/image.rom" is a file on every system, never a Windows-style option (the
    // subcommands take this setting from the app when they are made).
    app.allow_windows_style_options(false);

    CLI::App* list = app.add_subcommand("list", "List the adapters, their ROMs and flash chips");
    list->add_flag("--json", options->json, "Print JSON");
    list->callback([options, &exitStatus] {
        // The adapters are listed either way; their chips only while this process holds the host.
        const platform::HostLockState claim = ClaimHost();
        const bool chips = claim == platform::HostLockState::Held;
        exitStatus = RunList(options->json, std::cout, std::cerr, chips);
        if (chips || exitStatus != ExitOk) return;
        ReportUnclaimedHost(std::cerr);
        exitStatus = ExitBusy;
    });

    CLI::App* identify = app.add_subcommand("identify", "Identify an adapter's flash chip");
    identify->add_option("-a,--adapter", options->adapter, "Adapter number")->default_val(0);
    identify->callback([options, &exitStatus] {
        exitStatus = RunClaimed(
            std::cerr, [&options] { return RunIdentify(options->adapter, std::cout, std::cerr); });
    });

    RegisterImageCommands(app, options, exitStatus);
}

}  // namespace tarvex::cli
