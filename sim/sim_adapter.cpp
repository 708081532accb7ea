#include "sim/sim_adapter.h"

#include <cstring>

#include "sim/driver_contract.h"
#include "platform/errors.h"

namespace tarvex::sim {

namespace {

constexpr uint32_t ControlReadLength = 2;
constexpr uint32_t ControlWriteLength = 1;

bool Covers(const EpromRequest& request, uint32_t offset) {
    return request.offset <= offset &&
           offset < static_cast<uint64_t>(request.offset) + request.length;
}

uint32_t AccessControlLocation(ChipModel& chip, const EpromRequest& request, uint8_t* out) {
    if (request.direction == 1)
        return chip.ControlWrite(request.data[0]) ? 0 : platform::ErrorInvalidFunction;
    uint8_t answer[ControlReadLength] = {};
    if (!chip.ControlRead(answer, ControlReadLength)) return platform::ErrorInvalidFunction;
    std::memcpy(out, answer, ControlReadLength);
    return 0;
}

}  // namespace

bool BuildSimAdapter(const RigAdapter& rig, const ModelClock& clock, const ChipTiming& timing,
                     SimAdapter& adapter, std::string& error) {
    adapter.rig = &rig;
    for (const auto& [name, count] : rig.faults.transient) {
        RequestKind kind;
        if (KindFromName(name, kind)) adapter.transientLeft[static_cast<size_t>(kind)] = count;
    }
    for (const auto& name : rig.faults.refuse) {
        RequestKind kind;
        if (KindFromName(name, kind)) adapter.refused[static_cast<size_t>(kind)] = true;
    }
    if (rig.chip == "none") return true;
    const uint32_t size = ChipModelSize(rig.chip);
    if (size == 0) {
        error = "chip: unknown chip \"" + rig.chip + "\"";
        return false;
    }
    adapter.store = std::make_unique<ChipStore>(size, rig.romPath, rig.sdp);
    if (!adapter.store->Ok()) {
        error = "rom: " + adapter.store->Error();
        return false;
    }
    adapter.chip = MakeChipModel(rig.chip, *adapter.store, clock, rig.faults.chip, timing);
    if (!adapter.chip) {
        error = "chip: no model for chip \"" + rig.chip + "\"";
        return false;
    }
    return true;
}

uint32_t CheckEpromTarget(const SimAdapter& adapter, const EpromRequest& request) {
    if (request.offset != FlashControlOffset) return 0;
    if (!adapter.chip || !adapter.chip->IsDriverProgrammed())
        return platform::ErrorInvalidParameter;
    const uint32_t expected = request.direction == 0 ? ControlReadLength : ControlWriteLength;
    return request.length == expected ? 0 : platform::ErrorInvalidParameter;
}

uint32_t ApplyRequestFaults(SimAdapter& adapter, RequestKind kind, const EpromRequest* eprom) {
    const auto index = static_cast<size_t>(kind);
    if (adapter.refused[index]) return platform::ErrorInvalidFunction;
    if (adapter.transientLeft[index] > 0) {
        --adapter.transientLeft[index];
        return platform::ErrorGenFailure;
    }
    if (!eprom) return 0;
    const RigFaults& faults = adapter.rig->faults;
    const auto& failsAt = eprom->direction == 0 ? faults.readFailsAt : faults.writeFailsAt;
    return failsAt && Covers(*eprom, *failsAt) ? platform::ErrorGenFailure : 0;
}

uint32_t PerformEpromAccess(SimAdapter& adapter, const EpromRequest& request, uint8_t* out) {
    ChipModel* chip = adapter.chip.get();
    if (request.offset == FlashControlOffset && chip)
        return AccessControlLocation(*chip, request, out);
    if (request.direction == 0) {
        // Offsets beyond the chip wrap inside the model: its upper address lines are open.
        for (uint32_t i = 0; i < request.length; ++i)
            out[i] = chip ? chip->Read(request.offset + i) : 0xFF;
        // A failing bus: no two reads in a row of the unsteady byte agree.
        const auto& unsteady = adapter.rig->faults.unsteadyReadAt;
        if (unsteady && Covers(request, *unsteady) && adapter.unsteadyReads++ % 2 == 1)
            out[*unsteady - request.offset] ^= 0xFF;
        return 0;
    }
    if (!chip) return 0;
    if (chip->IsDriverProgrammed()) {
        return chip->BlockWrite(request.offset, request.data, request.length)
                   ? 0
                   : platform::ErrorInvalidFunction;
    }
    for (uint32_t i = 0; i < request.length; ++i) chip->Write(request.offset + i, request.data[i]);
    return 0;
}

}  // namespace tarvex::sim
