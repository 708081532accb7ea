#pragma once
#include <string>

#include "platform/host_lock.h"

namespace tarvex {

// Takes the host lock before anything is sent to a chip, so that two processes never interleave
// their command cycles. When it is not Held, `refusal` says why in one sentence: an operation
// running elsewhere, or a lock that cannot be taken at all.
platform::HostLockState TryClaimHost(platform::HostLock& lock, std::string& refusal);

}  // namespace tarvex
