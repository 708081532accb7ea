#include "sim/request_kind.h"

#include "sim/driver_contract.h"
#include "sim/rig.h"

namespace tarvex::sim {

RequestKind KindForCode(uint32_t controlCode) {
    switch (controlCode) {
    case VersionCode: return RequestKind::Version;
    case AdapterCountCode: return RequestKind::AdapterCount;
    case AdapterInfoCode: return RequestKind::AdapterInfo;
    case CapabilityCode: return RequestKind::Capability;
    case AdapterListCode: return RequestKind::AdapterList;
    case EpromAccessCode: return RequestKind::EpromAccess;
    case PciIdentityCode: return RequestKind::PciIdentity;
    default: return RequestKind::Unknown;
    }
}

const char* KindName(RequestKind kind) {
    const auto index = static_cast<size_t>(kind);
    return index < RequestKindCount ? RequestKindNames[index] : "unknown";
}

bool KindFromName(std::string_view name, RequestKind& kind) {
    for (size_t i = 0; i < RequestKindCount; ++i) {
        if (name == RequestKindNames[i]) {
            kind = static_cast<RequestKind>(i);
            return true;
        }
    }
    return false;
}

}  // namespace tarvex::sim
