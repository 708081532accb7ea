#pragma once
#include <cstdint>
#include <string>

namespace tarvex::platform {

using Handle = std::intptr_t;
// The platform's invalid-handle value (all bits set).
inline constexpr Handle NoHandle = -1;

// Host platform identifiers of the version record.
inline constexpr uint32_t PlatformWin9x = 1;
inline constexpr uint32_t PlatformNt = 2;

// Who answers device requests, so that simulated adapters are never taken for real ones.
struct ProviderDescription {
    bool simulated = false;
    std::string rig;  // a simulator's rig: "built-in default" or the rig file's path
};

struct HostVersion {
    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
};

// Answers device opens and device-control requests: the real driver or the simulator.
// Failures return NoHandle/false and leave the reason in the thread's last error.
class DeviceProvider {
public:
    virtual ~DeviceProvider() = default;

    virtual Handle OpenDevice(const std::string& name) = 0;
    virtual void CloseDevice(Handle handle) = 0;
    // One synchronous request; the buffer is both input and output.
    virtual bool DeviceControl(Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                               uint32_t length) = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // The basic record always; the extended record may be refused by old hosts.
    virtual bool GetHostVersion(HostVersion& version, bool extended) = 0;
    // The provider's clock in microseconds: wall time for real hardware, model time for the
    // simulator. Used to report how long an operation took.
    virtual uint64_t ClockUs();
    // The adapters' driver unless a simulator says otherwise.
    virtual ProviderDescription Describe() const { return {}; }
};

}  // namespace tarvex::platform
