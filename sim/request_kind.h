#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvex::sim {

// The driver's seven requests, in the order of RequestKindNames.
enum class RequestKind : uint8_t {
    Version,
    AdapterCount,
    AdapterInfo,
    Capability,
    AdapterList,
    EpromAccess,
    PciIdentity,
    Unknown,
};
inline constexpr size_t RequestKindCount = 7;

RequestKind KindForCode(uint32_t controlCode);
// "unknown" for Unknown.
const char* KindName(RequestKind kind);
// False when the name is not one of RequestKindNames.
bool KindFromName(std::string_view name, RequestKind& kind);

}  // namespace tarvex::sim
