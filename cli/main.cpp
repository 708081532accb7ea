#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command_suggestion.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/exit_table.h"

namespace {

// A first word that is no option and no command is a mistyped command: name it and the
// nearest one, rather than CLI11's "a subcommand is required".
bool UnknownCommand(const CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') return false;
    const std::string word = argv[1];
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) names.push_back(command->get_name());
    for (const std::string& name : names)
        if (name == word) return false;
    std::cerr << "Unknown command \"" << word << "\".";
    const std::string nearest = tarvex::cli::NearestName(word, names);
    if (!nearest.empty()) std::cerr << " Did you mean \"" << nearest << "\"?";
    std::cerr << "\nRun with --help for usage.\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Tarvex Flash Utility: flash, back up and configure adapter BIOS images",
                 "tarvex-flash-cli"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "tarvex-flash-cli " TARVEX_VERSION);
    app.footer(tarvex::cli::ExitStatusTable);
    int exitStatus = tarvex::cli::ExitOk;
    tarvex::cli::RegisterCommands(app, exitStatus);
    if (UnknownCommand(app, argc, argv)) return tarvex::cli::ExitUsage;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return tarvex::cli::ExitOk;
    } catch (const CLI::CallForAllHelp&) {
        std::cout << app.help("", CLI::AppFormatMode::All);
        return tarvex::cli::ExitOk;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return tarvex::cli::ExitOk;
    } catch (const CLI::ParseError& error) {
        std::cerr << error.what() << "\nRun with --help for usage.\n";
        return tarvex::cli::ExitUsage;
    }
    return exitStatus;
}
