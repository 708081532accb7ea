#pragma once

namespace tarvex::cli {

// The exit statuses of every command, as --help shows them.
extern const char* const ExitStatusTable;

}  // namespace tarvex::cli
