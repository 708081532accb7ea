#include "flash/host_claim.h"

#include <cerrno>
#include <cstring>

namespace tarvex {

platform::HostLockState TryClaimHost(platform::HostLock& lock, std::string& refusal) {
    const platform::HostLockState state = lock.TryAcquire();
    const int error = errno;
    const std::string name = platform::HostLockName();
    refusal.clear();
    if (state == platform::HostLockState::HeldElsewhere)
        refusal = "An operation is running elsewhere: another process holds " + name +
                  ". Nothing was sent to the flash chips; try again when it has ended.";
    else if (state == platform::HostLockState::Unavailable)
        refusal = "Cannot take the host lock " + name + ": " + std::strerror(error) +
                  ". Nothing was sent to the flash chips.";
    return state;
}

}  // namespace tarvex
