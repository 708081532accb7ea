#include "cli/commands.h"

#include <iostream>
#include <memory>

#include "cli/identify_command.h"
#include "cli/list_command.h"

namespace tarvex::cli {

namespace {

struct Options {
    bool json = false;
    uint32_t adapter = 0;
};

}  // namespace

void RegisterCommands(CLI::App& app, int& exitStatus) {
    auto options = std::make_shared<Options>();

    CLI::App* list = app.add_subcommand("list", "List the adapters, their ROMs and flash chips");
    list->add_flag("--json", options->json, "Print JSON");
    list->callback([options, &exitStatus] {
        exitStatus = RunList(options->json, std::cout, std::cerr);
    });

    CLI::App* identify = app.add_subcommand("identify", "Identify an adapter's flash chip");
    identify->add_option("-a,--adapter", options->adapter, "Adapter number")->default_val(0);
    identify->callback([options, &exitStatus] {
        exitStatus = RunIdentify(options->adapter, std::cout, std::cerr);
    });
}

}  // namespace tarvex::cli
