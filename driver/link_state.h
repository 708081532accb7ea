#pragma once
#include <cstdint>

#include "platform/device_provider.h"
#include "platform/lock.h"

namespace tarvex {

// Module state of the driver link, written by discovery and read by the transport.
struct DriverLinkState {
    bool isNtFamily = false;
    bool portPerAdapter = true;
    int32_t useAdapterList = 1;
    platform::Handle adapterHandles[4] = {platform::NoHandle, platform::NoHandle,
                                          platform::NoHandle, platform::NoHandle};
    platform::Handle currentDevice = platform::NoHandle;
    bool linkReady = false;
};

DriverLinkState& DriverLink();
platform::RecursiveLock& DriverLock();
// Returns the link to its state at process start (tests); handles are not closed.
void ResetDriverLink();

}  // namespace tarvex
