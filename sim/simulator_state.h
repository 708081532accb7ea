#pragma once
#include <cstdint>
#include <vector>

#include "platform/device_provider.h"
#include "sim/device_table.h"
#include "sim/envelope_decoder.h"
#include "sim/model_clock.h"
#include "sim/rig.h"
#include "sim/sim_adapter.h"
#include "sim/trace_writer.h"

namespace tarvex::sim {

// What one request turned out to be, for its answer and its trace record.
struct RequestContext {
    const SimDevice* device = nullptr;
    bool decoded = false;
    DecodedRequest request;
    uint32_t adapter = 0;  // the adapter the request concerns
};

// Everything a simulator keeps, in one place.
class SimulatorState {
public:
    explicit SimulatorState(const Rig& rigToRun)
        : rig(rigToRun), clock(rig.clock.mode), devices(rig) {}

    // Decodes, routes and answers one request; 0 or the error number for the caller.
    uint32_t Process(platform::Handle handle, uint32_t ioControlCode, uint8_t* buffer,
                     uint32_t length, RequestContext& context);

    Rig rig;
    ModelClock clock;
    DeviceTable devices;
    std::vector<SimAdapter> adapters;
    TraceWriter trace;
    uint64_t requestCount = 0;

private:
    uint32_t Route(RequestContext& context);
    uint32_t Answer(RequestContext& context);
};

}  // namespace tarvex::sim
