#include "sim/simulator_state.h"

#include <algorithm>
#include <cstring>

#include "platform/byte_order.h"
#include "platform/errors.h"
#include "sim/driver_contract.h"

namespace tarvex::sim {

namespace {

constexpr uint32_t AdapterInfoLength = 76;
constexpr uint32_t AdapterNameOffset = 4;
constexpr uint32_t AdapterNameField = 72;

uint32_t ConcernedAdapter(bool ntFamily, const DecodedRequest& r) {
    switch (r.kind) {
    case RequestKind::AdapterInfo:
    case RequestKind::PciIdentity:
        return LoadLe32(r.input);
    case RequestKind::EpromAccess:
        return r.eprom.adapter;
    default:
        return ntFamily ? 0 : r.prefix;
    }
}

bool NamesAdapter(RequestKind kind) {
    return kind == RequestKind::AdapterInfo || kind == RequestKind::PciIdentity ||
           kind == RequestKind::EpromAccess;
}

// Requests that must travel through a device serving their adapter. Adapter information
// travels through the first device whatever adapter it asks about.
bool NeedsServingDevice(RequestKind kind) {
    return kind == RequestKind::PciIdentity || kind == RequestKind::EpromAccess;
}

void WriteAdapterInfo(const RigAdapter& adapter, uint8_t* out) {
    std::memset(out, 0, AdapterInfoLength);
    out[0] = adapter.model;
    // A name that fills the field is sent without its NUL, as a driver may do.
    const size_t length = std::min<size_t>(adapter.name.size(), AdapterNameField);
    std::memcpy(out + AdapterNameOffset, adapter.name.data(), length);
}

}  // namespace

uint32_t SimulatorState::Process(platform::Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                                 uint32_t length, RequestContext& context) {
    context.device = devices.Find(handle);
    if (!context.device) return platform::ErrorInvalidHandle;
    // A device of another driver knows none of these requests.
    if (!devices.AnswersProbe(*context.device)) return platform::ErrorInvalidFunction;
    if (!DecodeEnvelope(rig.host.nt, ioControlCode, buffer, length, context.request)) {
        context.adapter = context.request.prefix;
        return platform::ErrorInvalidParameter;
    }
    context.decoded = true;
    context.adapter = ConcernedAdapter(rig.host.nt, context.request);
    return Route(context);
}

uint32_t SimulatorState::Route(RequestContext& context) {
    const DecodedRequest& r = context.request;
    const bool known = context.adapter < adapters.size();
    if (NamesAdapter(r.kind) && !known) return platform::ErrorInvalidFunction;
    if (NeedsServingDevice(r.kind) && !devices.Serves(*context.device, context.adapter))
        return platform::ErrorInvalidFunction;
    const bool eprom = r.kind == RequestKind::EpromAccess;
    if (eprom) {
        if (uint32_t error = CheckEpromTarget(adapters[context.adapter], r.eprom)) return error;
    }
    if (known) {
        SimAdapter& adapter = adapters[context.adapter];
        if (uint32_t error = ApplyRequestFaults(adapter, r.kind, eprom ? &r.eprom : nullptr))
            return error;
    }
    return Answer(context);
}

uint32_t SimulatorState::Answer(RequestContext& context) {
    DecodedRequest& r = context.request;
    switch (r.kind) {
    case RequestKind::Version:
        StoreLe32(r.output, rig.driver.interfaceVersion);
        return 0;
    case RequestKind::AdapterCount:
        StoreLe32(r.output,
                  rig.driver.adapterCount.value_or(static_cast<uint32_t>(rig.adapters.size())));
        return 0;
    case RequestKind::AdapterInfo:
        WriteAdapterInfo(rig.adapters[context.adapter], r.output);
        return 0;
    case RequestKind::Capability:
        std::memcpy(r.output, r.input, CapabilityBlockSize);
        return 0;
    case RequestKind::AdapterList: {
        if (!devices.AnswersAdapterList(*context.device)) return platform::ErrorInvalidFunction;
        const std::vector<uint32_t> listed = devices.ListedAdapters(*context.device);
        const auto count =
            static_cast<uint32_t>(std::min<size_t>(listed.size(), LoadLe32(r.input)));
        StoreLe32(r.output, count);
        for (uint32_t i = 0; i < count; ++i) StoreLe32(r.output + 4 + 4 * i, listed[i]);
        return 0;
    }
    case RequestKind::PciIdentity: {
        const RigAdapter& a = rig.adapters[context.adapter];
        StoreLe32(r.output,
                  static_cast<uint32_t>(a.vendor) | (static_cast<uint32_t>(a.device) << 16));
        return 0;
    }
    case RequestKind::EpromAccess:
        return PerformEpromAccess(adapters[context.adapter], r.eprom, r.output);
    case RequestKind::Unknown:
        break;
    }
    return platform::ErrorInvalidParameter;
}

}  // namespace tarvex::sim
