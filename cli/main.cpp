#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/commands.h"
#include "cli/exit_codes.h"

int main(int argc, char** argv) {
    CLI::App app{"Tarvex Flash Utility: flash, back up and configure adapter BIOS images",
                 "tarvex-flash-cli"};
    app.require_subcommand(1);
    int exitStatus = tarvex::cli::ExitOk;
    tarvex::cli::RegisterCommands(app, exitStatus);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return tarvex::cli::ExitOk;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return tarvex::cli::ExitOk;
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << "\nRun with --help for usage.\n";
        return tarvex::cli::ExitUsage;
    }
    return exitStatus;
}
