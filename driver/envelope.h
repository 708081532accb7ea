#pragma once
#include <cstdint>

namespace tarvex {

// Where the parts of a driver envelope lie, for one host family and one request.
struct EnvelopeLayout {
    uint32_t headerOffset = 0;  // 0 on the NT family, 4 behind the adapter prefix elsewhere
    uint32_t inputOffset = 0;
    uint32_t outputOffset = 0;
    uint64_t totalLength = 0;
};

EnvelopeLayout EnvelopeLayoutFor(bool ntFamily, uint32_t inputLength, uint32_t outputLength);

// Writes the prefix (other hosts), the header, both length words and the input into a
// zero-filled buffer of layout.totalLength bytes.
void EncodeEnvelope(uint8_t* envelope, const EnvelopeLayout& layout, bool ntFamily,
                    uint32_t adapter, uint32_t controlCode, const uint8_t* input,
                    uint32_t inputLength, uint32_t outputLength);

}  // namespace tarvex
