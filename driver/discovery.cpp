#include "driver/discovery.h"

#include <cstdio>
#include <memory>
#include <new>

#include "platform/byte_order.h"
#include "driver/link_state.h"
#include "platform/device.h"

namespace tarvex {

namespace {

constexpr const char* PrimaryWrapperName = "\\\\.\\wrapA4";
constexpr const char* SecondaryWrapperName = "\\\\.\\KvrWrap";
constexpr int SlotCount = 4;

std::string PortDeviceName(int port) {
    char name[32];
    std::snprintf(name, sizeof name, "\\\\.\\Scsi%d:", port);
    return name;
}

void PlaceListedAdapters(const uint32_t* adapters, int32_t count, Handle port) {
    DriverLinkState& link = DriverLink();
    for (int32_t i = 0; i < count && i < static_cast<int32_t>(AdapterListCapacity); ++i)
        if (adapters[i] < SlotCount) link.adapterHandles[adapters[i]] = port;
}

int32_t DiscoverWrapper() {
    DriverLinkState& link = DriverLink();
    if (!OpenAndProbe(PrimaryWrapperName) || link.currentDevice == NoHandle) return 0;
    link.adapterHandles[0] = link.currentDevice;
    return 1;
}

int32_t DiscoverPorts() {
    DriverLinkState& link = DriverLink();
    int placedInOrder = 0;
    for (int port = 0;; ++port) {
        if (!OpenAndProbe(PortDeviceName(port))) return 1;
        const Handle handle = link.currentDevice;
        if (handle == NoHandle) continue;
        if (link.useAdapterList > 0) {
            uint32_t adapters[AdapterListCapacity] = {};
            link.useAdapterList = ListPortAdapters(handle, adapters, AdapterListCapacity);
            if (link.useAdapterList > 0) {
                PlaceListedAdapters(adapters, link.useAdapterList, handle);
                continue;
            }
        }
        if (!link.portPerAdapter) {
            for (Handle& slot : link.adapterHandles) slot = handle;
            continue;
        }
        link.adapterHandles[placedInOrder++] = handle;
        // Four slots: the fourth port placed in order ends discovery, successfully.
        if (placedInOrder == SlotCount) return 1;
    }
}

}  // namespace

int32_t OpenAndProbe(const std::string& deviceName) {
    DriverLinkState& link = DriverLink();
    link.currentDevice = platform::OpenDevice(deviceName);
    if (link.currentDevice == NoHandle) {
        if (link.isNtFamily) return 0;
        link.currentDevice = platform::OpenDevice(SecondaryWrapperName);
        if (link.currentDevice == NoHandle) return 0;
    }
    uint8_t version[4] = {};
    if (DriverCommand(0, VersionCode, nullptr, 0, version, sizeof version, link.currentDevice) !=
        0) {
        platform::CloseDevice(link.currentDevice);
        link.currentDevice = NoHandle;
    }
    return 1;
}

int32_t ListPortAdapters(Handle port, uint32_t* adapters, uint32_t capacity) {
    const uint64_t replyLength = 4 + uint64_t{4} * capacity;
    std::unique_ptr<uint8_t[]> reply(new (std::nothrow) uint8_t[replyLength]());
    if (!reply) return -1;
    uint8_t request[4];
    StoreLe32(request, capacity);
    if (DriverCommand(0, AdapterListCode, request, sizeof request, reply.get(),
                      static_cast<uint32_t>(replyLength), port) != 0)
        return -1;
    const uint32_t count = LoadLe32(reply.get());
    for (uint32_t i = 0; i < count && i < capacity; ++i)
        adapters[i] = LoadLe32(reply.get() + 4 + 4 * i);
    return static_cast<int32_t>(count);
}

int32_t DiscoverAdapters() {
    DriverLinkState& link = DriverLink();
    for (Handle& slot : link.adapterHandles) slot = NoHandle;
    (void)DriverLock();  // the lock lives for the process; the transport takes it
    return link.isNtFamily ? DiscoverPorts() : DiscoverWrapper();
}

int32_t InitDriverLink() {
    DetectHostSystem();
    if (!DiscoverAdapters()) return -1;
    DriverLink().linkReady = true;
    // Follow-up requests the driver expects after discovery; their answers are not kept.
    uint8_t word[4] = {};
    DriverCommand(0, VersionCode, nullptr, 0, word, sizeof word, NoHandle);
    DriverCommand(0, AdapterCountCode, nullptr, 0, word, sizeof word, NoHandle);
    uint8_t capability[CapabilityBlockSize] = {};
    StoreLe32(capability, CapabilityBlockSize);
    DriverCommand(0, CapabilityCode, capability, sizeof capability, capability,
                  sizeof capability, NoHandle);
    return 0;
}

bool EnsureDriverLink() { return DriverLink().linkReady || InitDriverLink() == 0; }

}  // namespace tarvex
