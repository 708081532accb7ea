#include "cli/host_claim.h"

#include <ostream>
#include <string>

#include "cli/exit_codes.h"
#include "flash/host_claim.h"

namespace tarvex::cli {

namespace {
platform::HostLock g_hostLock;
std::string g_refusal;  // why the lock could not be taken, for the report that follows
}  // namespace

platform::HostLockState ClaimHost() { return TryClaimHost(g_hostLock, g_refusal); }

void ReportUnclaimedHost(std::ostream& err) { err << g_refusal << "\n"; }

int RunClaimed(std::ostream& err, const std::function<int()>& command) {
    if (ClaimHost() == platform::HostLockState::Held) return command();
    ReportUnclaimedHost(err);
    return ExitBusy;
}

}  // namespace tarvex::cli
