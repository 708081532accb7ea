#pragma once
#include <cstdint>

#include "driver/transport.h"

namespace tarvex {

// Program routines of the chip table: write image byte n at ROM offset n. 1 on success; 0 on
// failure, after recording the status in the run state and posting the message.
int32_t ProgramViaDriver(AdapterIndex adapter, const uint8_t* image, uint32_t length);
int32_t ProgramPages(AdapterIndex adapter, const uint8_t* image, uint32_t length,
                     uint32_t pageSize);
int32_t ProgramPages128(AdapterIndex adapter, const uint8_t* image, uint32_t length);
int32_t ProgramPages256(AdapterIndex adapter, const uint8_t* image, uint32_t length);
int32_t ProgramPages512(AdapterIndex adapter, const uint8_t* image, uint32_t length);
int32_t EraseProgramBytes(AdapterIndex adapter, const uint8_t* image, uint32_t length);
int32_t EraseProgramBytesShort(AdapterIndex adapter, const uint8_t* image, uint32_t length);

inline constexpr uint32_t DriverBlockSize = 512;
inline constexpr uint32_t MaxPageSize = 512;
inline constexpr uint32_t PageAttemptLimit = 16;
// Written (and compared) for the part of a top page that lies past the end of the image.
inline constexpr uint8_t PageFillByte = 0xFF;
// Control bytes written at the driver's control location around the block writes.
inline constexpr uint8_t DriverSessionOpen = 0x0F;
inline constexpr uint8_t DriverSessionClose = 0x00;

// Byte-wise helpers, one request per byte in ascending order.
int32_t WriteBytes(AdapterIndex adapter, uint32_t offset, const uint8_t* bytes, uint16_t count);
// 1 when the ROM holds exactly these bytes; stops reading at the first difference.
int32_t CompareRange(AdapterIndex adapter, uint32_t offset, const uint8_t* bytes, uint16_t count);

}  // namespace tarvex
