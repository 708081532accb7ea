#pragma once
#include <string>

namespace tarvex {

// Deletes the temporary image file also when the process is ended by SIGINT, SIGTERM or SIGHUP
// (a closed terminal, a logout) or through exit() (Qt's answer to a lost display): the file is
// removed and the process ends as it would have. Arm once the file exists; disarm once it is deleted.
void ArmTempFileGuard(const std::string& path);
void DisarmTempFileGuard();

}  // namespace tarvex
