#include "cli/host_claim.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "cli/exit_codes.h"

namespace tarvex::cli {

namespace {
platform::HostLock g_hostLock;
int g_claimError = 0;  // why the lock could not be taken, for the report that follows
}  // namespace

platform::HostLockState ClaimHost() {
    const platform::HostLockState state = g_hostLock.TryAcquire();
    g_claimError = errno;
    return state;
}

void ReportUnclaimedHost(platform::HostLockState state, std::ostream& err) {
    const std::string name = platform::HostLockName();
    if (state == platform::HostLockState::HeldElsewhere) {
        err << "An operation is running elsewhere: another process holds " << name
            << ". Nothing was sent to the flash chips; try again when it has ended.\n";
    } else {
        err << "Cannot take the host lock " << name << ": " << std::strerror(g_claimError)
            << ". Nothing was sent to the flash chips.\n";
    }
}

int RunClaimed(std::ostream& err, const std::function<int()>& command) {
    const platform::HostLockState state = ClaimHost();
    if (state == platform::HostLockState::Held) return command();
    ReportUnclaimedHost(state, err);
    return ExitBusy;
}

}  // namespace tarvex::cli
