#include <CLI/CLI.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/config_command.h"
#include "cli/exit_codes.h"
#include "fuzz_entries.h"
#include "fuzz_support.h"
#include "samples/sample_image.h"

namespace tarvex::fuzz {

namespace {

constexpr size_t MaxArguments = 24;

std::vector<std::string> Arguments(const uint8_t* data, size_t size) {
    std::vector<std::string> args{"tarvex-flash-cli"};
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string arg; args.size() < MaxArguments && std::getline(in, arg, '\0');)
        args.push_back(arg);
    return args;
}

// The settings a parsed config command was given, applied to a sample image of our own and
// written to the null device, so that no file of the input's is read or written.
void RunParsedConfig(CLI::App& config) {
    static const std::vector<uint8_t> sample =
        MakeSampleImage({0x1C5D, 0x0A12, 4096, ClassCodeRaid, "fuzz"});
    MemoryFile image(sample.data(), sample.size());
    cli::ConfigRequest request;
    request.image = image.Path();
    request.output = NullDevice;
    request.settings = config.get_option("--set")->results();
    request.json = config.get_option("--json")->count() > 0;
    std::ostringstream out, err;
    ResetProcessState();
    const int status = cli::RunConfig(request, out, err);
    FuzzCheck(status == cli::ExitOk || status == cli::ExitUsage || status == cli::ExitBadImage,
              "config settings are applied or refused as usage or value errors");
    FuzzCheck(status == cli::ExitOk || !err.str().empty(), "a refused setting says why");
}

}  // namespace

int FuzzCommandLine(const uint8_t* data, size_t size) {
    const std::vector<std::string> args = Arguments(data, size);
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());

    CLI::App app{"fuzz", "tarvex-flash-cli"};
    app.require_subcommand(1);
    int exitStatus = cli::ExitOk;
    cli::RegisterCommands(app, exitStatus);
    // Parsed, not run: the main callback comes first once parsing is done, and stops the
    // commands' own, so that no command of the input's reaches a device or a file.
    struct Parsed {};
    app.parse_complete_callback([] { throw Parsed{}; });
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
        FuzzCheck(false, "parsing ends before any command runs");
    } catch (const CLI::ParseError&) {
        return 0;
    } catch (const Parsed&) {
    }
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    FuzzCheck(chosen.size() == 1, "a parsed command line names exactly one command");
    if (chosen.front()->get_name() == "config") RunParsedConfig(*chosen.front());
    return 0;
}

}  // namespace tarvex::fuzz
