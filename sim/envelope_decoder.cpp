#include "sim/envelope_decoder.h"

#include <cstring>

#include "platform/byte_order.h"
#include "sim/driver_contract.h"

namespace tarvex::sim {

namespace {

// Header fields, relative to the start of the header.
constexpr uint32_t FieldHeaderLength = 0;
constexpr uint32_t FieldSignature = 4;
constexpr uint32_t FieldControlCode = 16;
constexpr uint32_t FieldLength = 24;
constexpr uint32_t FieldInputLength = 28;
constexpr uint32_t FieldOutputLength = 32;
constexpr uint32_t HeaderAndLengths = 36;
constexpr uint32_t PrefixLength = 4;

constexpr uint32_t AdapterInfoLength = 76;
constexpr uint32_t EpromHeaderLength = 16;

bool SizesAre(const DecodedRequest& r, uint64_t in, uint64_t out) {
    return r.inputLength == in && r.outputLength == out;
}

bool DecodeEprom(bool ntFamily, DecodedRequest& r) {
    if (r.inputLength < EpromHeaderLength) return false;
    EpromRequest& e = r.eprom;
    e.adapter = LoadLe32(r.input);
    e.offset = LoadLe32(r.input + 4);
    e.direction = LoadLe32(r.input + 8);
    e.length = LoadLe32(r.input + 12);
    if (!ntFamily && e.adapter != r.prefix) return false;
    if (e.direction == 0) return SizesAre(r, EpromHeaderLength, e.length);
    if (e.direction != 1) return false;
    // Data and padding to a whole number of words, at least one byte of padding.
    const uint64_t writeInput = (static_cast<uint64_t>(e.length) / 4 + 5) * 4;
    if (!SizesAre(r, writeInput, 0)) return false;
    e.data = r.input + EpromHeaderLength;
    return true;
}

bool SizesFitKind(bool ntFamily, DecodedRequest& r) {
    switch (r.kind) {
    case RequestKind::Version:
    case RequestKind::AdapterCount: return SizesAre(r, 0, 4);
    case RequestKind::AdapterInfo: return SizesAre(r, 4, AdapterInfoLength);
    case RequestKind::Capability:
        return SizesAre(r, CapabilityBlockSize, CapabilityBlockSize) &&
               LoadLe32(r.input) == CapabilityBlockSize;
    case RequestKind::AdapterList:
        return r.inputLength == 4 &&
               r.outputLength == 4 + 4 * static_cast<uint64_t>(LoadLe32(r.input));
    case RequestKind::PciIdentity:
        // On the wrapper the prefix and the input name the same adapter.
        return SizesAre(r, 4, 4) && (ntFamily || LoadLe32(r.input) == r.prefix);
    case RequestKind::EpromAccess: return DecodeEprom(ntFamily, r);
    case RequestKind::Unknown: return false;
    }
    return false;
}

}  // namespace

bool DecodeEnvelope(bool ntFamily, uint32_t ioControlCode, uint8_t* buffer, uint32_t length,
                    DecodedRequest& request) {
    request = DecodedRequest{};
    const uint32_t base = ntFamily ? 0 : PrefixLength;
    if (buffer == nullptr || length < base + HeaderAndLengths) return false;
    const uint8_t* header = buffer + base;
    if (!ntFamily) request.prefix = LoadLe32(buffer);
    request.controlCode = LoadLe32(header + FieldControlCode);
    request.kind = KindForCode(request.controlCode);

    const uint32_t expectedIoctl = ntFamily ? IoctlScsiMiniport : request.controlCode;
    if (ioControlCode != expectedIoctl) return false;
    if (LoadLe32(header + FieldHeaderLength) != EnvelopeHeaderLength) return false;
    if (std::memcmp(header + FieldSignature, EnvelopeSignature, sizeof EnvelopeSignature) != 0)
        return false;

    const uint64_t in = LoadLe32(header + FieldInputLength);
    const uint64_t out = LoadLe32(header + FieldOutputLength);
    if (LoadLe32(header + FieldLength) != in + out + 8) return false;
    if (length != base + HeaderAndLengths + in + out) return false;
    request.inputLength = static_cast<uint32_t>(in);
    request.outputLength = static_cast<uint32_t>(out);
    request.input = buffer + base + HeaderAndLengths;
    request.output = buffer + base + HeaderAndLengths + in;
    return SizesFitKind(ntFamily, request);
}

}  // namespace tarvex::sim
