#pragma once
#include <string>

#include "platform/device_provider.h"

namespace tarvex::testing {

// Answers as the provider it wraps but describes itself as the default provider does, as the
// adapters' driver: what the programs show when no simulator answers.
class DriverStandIn : public platform::DeviceProvider {
public:
    explicit DriverStandIn(platform::DeviceProvider& inner) : m_inner(inner) {}

    platform::Handle OpenDevice(const std::string& name) override {
        return m_inner.OpenDevice(name);
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
};

}  // namespace tarvex::testing
