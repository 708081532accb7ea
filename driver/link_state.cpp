#include "driver/link_state.h"

namespace tarvex {

namespace {
DriverLinkState g_link;
platform::RecursiveLock g_driverLock;
}  // namespace

DriverLinkState& DriverLink() { return g_link; }

platform::RecursiveLock& DriverLock() { return g_driverLock; }

void ResetDriverLink() { g_link = DriverLinkState{}; }

}  // namespace tarvex
