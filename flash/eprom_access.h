#pragma once
#include <cstdint>

#include "driver/transport.h"
#include "flash/flash_status.h"

namespace tarvex {

inline constexpr uint32_t EpromRequestHeaderSize = 16;
inline constexpr uint32_t EpromDirectionRead = 0;
inline constexpr uint32_t EpromDirectionWrite = 1;
// Longest write whose request size still fits the transport's 32-bit lengths.
inline constexpr uint32_t EpromMaxWriteLength = 0xFFFFFF00u;

// The header of an EPROM access request; data (and padding) follow it on a write.
struct EpromRequest {
    AdapterIndex adapter = 0;
    uint32_t offset = 0;
    uint32_t direction = EpromDirectionRead;
    uint32_t length = 0;
};

// Writes the 16-byte little-endian header to out.
void EncodeEpromRequest(const EpromRequest& request, uint8_t* out);
// Size of a write request's input: header, data and 1 to 4 bytes of padding.
uint32_t EpromWriteRequestSize(uint32_t length);

// Block operations: StatusOk, or StatusEpromRead / StatusEpromWrite after posting a message.
// A failed read leaves zeros in the buffer.
FlashStatus ReadEprom(AdapterIndex adapter, uint32_t offset, uint8_t* buffer, uint32_t length);
FlashStatus WriteEprom(AdapterIndex adapter, uint32_t offset, const uint8_t* data, uint32_t length);

// Write requests handed to the driver since the process started, refused ones included: while it
// stays the same, nothing can have changed a ROM.
uint64_t EpromWritesSent();

// Byte helpers for command cycles, polling and verification: a failed read reads as 0.
uint8_t ReadEpromByte(AdapterIndex adapter, uint32_t offset);
uint16_t ReadEpromWord(AdapterIndex adapter, uint32_t offset);
FlashStatus WriteEpromByte(AdapterIndex adapter, uint32_t offset, uint8_t value);

}  // namespace tarvex
