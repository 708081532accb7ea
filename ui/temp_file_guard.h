#pragma once
#include <string>

namespace tarvex {

// Deletes the temporary image file also when the process is ended by SIGINT, SIGTERM or SIGHUP
// (a closed terminal, a logout): the handler removes the file and ends the process as the
// signal would have. Arm once the file exists; disarm once it is deleted.
void ArmTempFileGuard(const std::string& path);
void DisarmTempFileGuard();

}  // namespace tarvex
