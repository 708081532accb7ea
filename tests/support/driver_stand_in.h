#pragma once
#include <string>

#include "platform/device_provider.h"
#include "platform/errors.h"

namespace tarvex::testing {

// Answers as the provider it wraps but describes itself as the default provider does, as the
// adapters' driver: what the programs show when no simulator answers. With an open error, every
// open fails so (5: a user without administrator rights).
class DriverStandIn : public platform::DeviceProvider {
public:
    explicit DriverStandIn(platform::DeviceProvider& inner, uint32_t openError = 0)
        : m_inner(inner), m_openError(openError) {}

    platform::Handle OpenDevice(const std::string& name) override {
        if (m_openError == 0) return m_inner.OpenDevice(name);
        platform::SetLastError(m_openError);
        return platform::NoHandle;
    }
    void CloseDevice(platform::Handle handle) override { m_inner.CloseDevice(handle); }
    bool DeviceControl(platform::Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                       uint32_t length) override {
        return m_inner.DeviceControl(handle, ioControlCode, buffer, length);
    }
    void Sleep(uint32_t milliseconds) override { m_inner.Sleep(milliseconds); }
    bool GetHostVersion(platform::HostVersion& version, bool extended) override {
        return m_inner.GetHostVersion(version, extended);
    }
    uint64_t ClockUs() override { return m_inner.ClockUs(); }

private:
    platform::DeviceProvider& m_inner;
    uint32_t m_openError;
};

}  // namespace tarvex::testing
