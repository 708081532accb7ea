#include "platform/device.h"

#include <utility>

#include "platform/errors.h"
#include "platform/monotonic_clock.h"

namespace tarvex::platform {

namespace {
std::shared_ptr<DeviceProvider> g_provider;
uint64_t g_requestCount = 0;
bool g_openDenied = false;
}  // namespace

uint64_t DeviceProvider::ClockUs() { return MonotonicUs(); }

DeviceProvider& CurrentDeviceProvider() {
    if (!g_provider) g_provider = MakeDefaultDeviceProvider();
    return *g_provider;
}

void InstallDeviceProvider(std::shared_ptr<DeviceProvider> provider) {
    g_provider = std::move(provider);
    g_openDenied = false;
}

Handle OpenDevice(const std::string& name) {
    const Handle handle = CurrentDeviceProvider().OpenDevice(name);
    if (handle == NoHandle && GetLastError() == ErrorAccessDenied) g_openDenied = true;
    return handle;
}

bool DeviceOpenDenied() { return g_openDenied; }

void CloseDevice(Handle handle) { CurrentDeviceProvider().CloseDevice(handle); }

bool DeviceControl(Handle handle, uint32_t ioControlCode, uint8_t* buffer, uint32_t length) {
    ++g_requestCount;
    return CurrentDeviceProvider().DeviceControl(handle, ioControlCode, buffer, length);
}

void SleepMs(uint32_t milliseconds) { CurrentDeviceProvider().Sleep(milliseconds); }

bool GetHostVersion(HostVersion& version, bool extended) {
    return CurrentDeviceProvider().GetHostVersion(version, extended);
}

uint64_t ClockUs() { return CurrentDeviceProvider().ClockUs(); }

ProviderDescription DescribeDeviceProvider() { return CurrentDeviceProvider().Describe(); }

uint64_t DeviceRequestCount() { return g_requestCount; }

}  // namespace tarvex::platform
