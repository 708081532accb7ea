#include "cli/run_outcome.h"

#include <ostream>

#include "cli/status_words.h"
#include "flash/flash_status.h"

namespace tarvex::cli {

void PrintOutcome(int32_t status, std::ostream& err) {
    if (status == StatusOk)
        err << "Successful!\n";
    else
        err << "Failed! " << StatusWords(status) << " (status " << status << ")\n";
    err.flush();
}

}  // namespace tarvex::cli
