#pragma once
#include <functional>
#include <iosfwd>

#include "platform/host_lock.h"

namespace tarvex::cli {

// Takes the host lock for the rest of the process, before anything is sent to a chip, so that
// two processes never interleave their command cycles. Held when this process has it.
platform::HostLockState ClaimHost();

// Tells why the last claim failed: an operation running elsewhere, or a lock that cannot be
// taken at all.
void ReportUnclaimedHost(std::ostream& err);

// Runs a command that sends command cycles to a chip, or refuses it at once with ExitBusy when
// the host cannot be claimed.
int RunClaimed(std::ostream& err, const std::function<int()>& command);

}  // namespace tarvex::cli
