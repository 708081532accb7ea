#pragma once
#include <string>

namespace tarvex::platform {

// Deletes a file also when the process is ended from outside: on Linux by SIGINT, SIGTERM or
// SIGHUP (a closed terminal, a logout) or through exit() (Qt's answer to a lost display), after
// which the process ends as it would have; on Windows through exit(). Arm once the file
// exists; disarm once it is deleted. One file at a time.
void ArmRemovalAtExit(const std::string& path);
void DisarmRemovalAtExit();

}  // namespace tarvex::platform
