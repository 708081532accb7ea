#include "platform/driver_provider.h"

#include "platform/errors.h"

namespace tarvex::platform {

namespace {

// The basic and the extended version record, as the host's version call sizes them.
static_assert(sizeof(OSVERSIONINFOA) == 148);
static_assert(sizeof(OSVERSIONINFOEXA) == 156);

HANDLE ToSystem(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

class DriverProvider final : public DeviceProvider {
public:
    explicit DriverProvider(const KernelCalls& calls) : m_calls(calls) {}

    Handle OpenDevice(const std::string& name) override {
        HANDLE device =
            m_calls.createFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (device == INVALID_HANDLE_VALUE) {
            KeepLastError();
            return NoHandle;
        }
        return reinterpret_cast<Handle>(device);
    }

    void CloseDevice(Handle handle) override { m_calls.closeHandle(ToSystem(handle)); }

    bool DeviceControl(Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                       uint32_t length) override {
        DWORD returned = 0;
        if (m_calls.deviceIoControl(ToSystem(handle), ioControlCode, buffer, length, buffer, length,
                                    &returned, nullptr))
            return true;
        KeepLastError();
        return false;
    }

    void Sleep(uint32_t milliseconds) override { m_calls.sleep(milliseconds); }

    bool GetHostVersion(HostVersion& version, bool extended) override {
        OSVERSIONINFOEXA record{};
        record.dwOSVersionInfoSize = extended ? sizeof(OSVERSIONINFOEXA) : sizeof(OSVERSIONINFOA);
        if (!m_calls.getVersionEx(reinterpret_cast<LPOSVERSIONINFOA>(&record))) {
            KeepLastError();
            return false;
        }
        version.platformId = record.dwPlatformId;
        version.major = record.dwMajorVersion;
        version.minor = record.dwMinorVersion;
        return true;
    }

private:
    static void KeepLastError() { SetLastError(static_cast<uint32_t>(::GetLastError())); }

    KernelCalls m_calls;
};

}  // namespace

KernelCalls SystemKernelCalls() {
    return {::CreateFileA, ::DeviceIoControl, ::CloseHandle, ::Sleep, ::GetVersionExA};
}

std::shared_ptr<DeviceProvider> MakeDriverProvider(const KernelCalls& calls) {
    return std::make_shared<DriverProvider>(calls);
}

}  // namespace tarvex::platform
