#include "driver/envelope.h"

#include <cstring>

#include "platform/byte_order.h"
#include "driver/control_codes.h"

namespace tarvex {

EnvelopeLayout EnvelopeLayoutFor(bool ntFamily, uint32_t inputLength, uint32_t outputLength) {
    EnvelopeLayout layout;
    layout.headerOffset = ntFamily ? 0 : 4;
    layout.inputOffset = layout.headerOffset + EnvelopeDataOffset;
    layout.outputOffset = layout.inputOffset + inputLength;
    layout.totalLength = uint64_t{layout.inputOffset} + inputLength + outputLength;
    return layout;
}

void EncodeEnvelope(uint8_t* envelope, const EnvelopeLayout& layout, bool ntFamily,
                    uint32_t adapter, uint32_t controlCode, const uint8_t* input,
                    uint32_t inputLength, uint32_t outputLength) {
    if (!ntFamily) StoreLe32(envelope, adapter);
    uint8_t* header = envelope + layout.headerOffset;
    StoreLe32(header + 0, EnvelopeHeaderLength);
    std::memcpy(header + 4, EnvelopeSignature, sizeof EnvelopeSignature);
    StoreLe32(header + 12, EnvelopeTimeoutSeconds);
    StoreLe32(header + 16, controlCode);
    StoreLe32(header + 20, 0);  // ReturnCode
    StoreLe32(header + 24, inputLength + outputLength + 8);
    StoreLe32(header + 28, inputLength);
    StoreLe32(header + 32, outputLength);
    if (input && inputLength) std::memcpy(envelope + layout.inputOffset, input, inputLength);
}

}  // namespace tarvex
