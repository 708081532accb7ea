#pragma once
#include <cstdint>

#include "sim/request_kind.h"

namespace tarvex::sim {

// The EPROM access record at the start of an EPROM request's input.
struct EpromRequest {
    uint32_t adapter = 0;
    uint32_t offset = 0;
    uint32_t direction = 0;  // 0 read, 1 write
    uint32_t length = 0;
    const uint8_t* data = nullptr;  // write: the bytes to store
};

// An envelope taken apart. Input and output point into the caller's buffer.
struct DecodedRequest {
    uint32_t controlCode = 0;
    RequestKind kind = RequestKind::Unknown;
    uint32_t prefix = 0;  // the adapter word in front of the header (9x family)
    const uint8_t* input = nullptr;
    uint32_t inputLength = 0;
    uint8_t* output = nullptr;
    uint32_t outputLength = 0;
    EpromRequest eprom;  // EPROM access only
};

// Checks an envelope against the wire layout of the host family and takes it apart.
// False when anything is off; the buffer is never written. The control code and kind are
// filled in as soon as the header can be read, so that a refusal can still be traced.
bool DecodeEnvelope(bool ntFamily, uint32_t ioControlCode, uint8_t* buffer, uint32_t length,
                    DecodedRequest& request);

}  // namespace tarvex::sim
