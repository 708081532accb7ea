#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/device_provider.h"

namespace tarvex::platform {

// The provider every call below goes to. Without an installed one, the build's default
// provider is created on first use.
DeviceProvider& CurrentDeviceProvider();
// Replaces the provider (tests install a simulator of their own); null returns to the default.
void InstallDeviceProvider(std::shared_ptr<DeviceProvider> provider);

Handle OpenDevice(const std::string& name);
// Whether a device has refused to open with access denied since the provider was installed:
// without administrator rights, the adapters' driver refuses every open so.
bool DeviceOpenDenied();
void CloseDevice(Handle handle);
bool DeviceControl(Handle handle, uint32_t ioControlCode, uint8_t* buffer, uint32_t length);
void SleepMs(uint32_t milliseconds);
bool GetHostVersion(HostVersion& version, bool extended);
uint64_t ClockUs();
ProviderDescription DescribeDeviceProvider();
// Device-control requests sent since process start, accepted or not.
uint64_t DeviceRequestCount();

// Supplied by the program's composition (composition/): the simulator, or on Windows the
// adapters' driver.
std::shared_ptr<DeviceProvider> MakeDefaultDeviceProvider();

}  // namespace tarvex::platform
