#pragma once
#include <cstdint>
#include <string>

#include "driver/transport.h"

namespace tarvex {

// The driver's 76-byte adapter information block.
inline constexpr uint32_t AdapterInfoSize = 76;
inline constexpr uint32_t AdapterNameOffset = 4;
inline constexpr uint32_t AdapterNameSize = 72;

struct AdapterInfo {
    uint8_t bytes[AdapterInfoSize] = {};
};
uint8_t AdapterModelCode(const AdapterInfo& info);
// The name up to its NUL, never past the end of the block.
std::string AdapterName(const AdapterInfo& info);

using PciIdentity = uint32_t;  // vendor in bits 0-15, device in bits 16-31

uint32_t GetInterfaceVersion();
int32_t GetAdapterCount();
int32_t GetAdapterPciId(AdapterIndex adapter, PciIdentity* identity);
int32_t GetAdapterInfo(AdapterIndex adapter, AdapterInfo* info);
int32_t ImageMatchesAdapter(AdapterIndex adapter, PciIdentity imageIdentity);

}  // namespace tarvex
