#pragma once
#include <CLI/CLI.hpp>

namespace tarvex::cli {

// Adds every subcommand; the one that runs stores its exit status.
void RegisterCommands(CLI::App& app, int& exitStatus);

}  // namespace tarvex::cli
