#include "driver/adapter_queries.h"

#include <cstring>

#include "platform/byte_order.h"
#include "driver/discovery.h"

namespace tarvex {

namespace {

// One query of a 32-bit answer through adapter 0's route; false when it fails.
bool QueryWord(uint32_t controlCode, uint32_t& answer) {
    if (!EnsureDriverLink()) return false;
    uint8_t reply[4] = {};
    if (DriverCommand(0, controlCode, nullptr, 0, reply, sizeof reply, NoHandle) != 0)
        return false;
    answer = LoadLe32(reply);
    return true;
}

}  // namespace

uint8_t AdapterModelCode(const AdapterInfo& info) { return info.bytes[0]; }

std::string AdapterName(const AdapterInfo& info) {
    const auto* name = reinterpret_cast<const char*>(info.bytes + AdapterNameOffset);
    size_t length = 0;
    while (length < AdapterNameSize && name[length] != '\0') ++length;
    return std::string(name, length);
}

uint32_t GetInterfaceVersion() {
    uint32_t version = 0;
    return QueryWord(VersionCode, version) ? version : 0xFFFFFFFFu;
}

int32_t GetAdapterCount() {
    uint32_t count = 0;
    return QueryWord(AdapterCountCode, count) ? static_cast<int32_t>(count) : -1;
}

int32_t GetAdapterPciId(AdapterIndex adapter, PciIdentity* identity) {
    if (!EnsureDriverLink()) return -1;
    uint8_t request[4];
    StoreLe32(request, adapter);
    uint8_t reply[4] = {};
    if (DriverCommand(adapter, PciIdentityCode, request, sizeof request, reply, sizeof reply,
                      NoHandle) != 0)
        return -1;
    *identity = LoadLe32(reply);
    return 0;
}

int32_t GetAdapterInfo(AdapterIndex adapter, AdapterInfo* info) {
    if (!EnsureDriverLink()) return -1;
    uint8_t request[4];
    StoreLe32(request, adapter);
    return DriverCommand(0, AdapterInfoCode, request, sizeof request, info->bytes,
                         AdapterInfoSize, NoHandle);
}

int32_t ImageMatchesAdapter(AdapterIndex adapter, PciIdentity imageIdentity) {
    PciIdentity identity = 0;
    if (GetAdapterPciId(adapter, &identity) != 0) return 0;
    return identity == imageIdentity ? 1 : 0;
}

}  // namespace tarvex
