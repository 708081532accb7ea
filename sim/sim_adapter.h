#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "sim/chips/chip_model.h"
#include "sim/chips/chip_store.h"
#include "sim/envelope_decoder.h"
#include "sim/model_clock.h"
#include "sim/request_kind.h"
#include "sim/rig.h"

namespace tarvex::sim {

// One adapter of the rig: its ROM chip and what is left of its request faults.
struct SimAdapter {
    const RigAdapter* rig = nullptr;
    std::unique_ptr<ChipStore> store;  // null for an empty socket
    std::unique_ptr<ChipModel> chip;
    std::array<int, RequestKindCount> transientLeft{};
    std::array<bool, RequestKindCount> refused{};
    uint64_t unsteadyReads = 0;  // reads so far of the rig's unsteady byte
};

// Puts the chip in its socket; false and "key: reason" when its ROM file cannot be opened.
bool BuildSimAdapter(const RigAdapter& rig, const ModelClock& clock, const ChipTiming& timing,
                     SimAdapter& adapter, std::string& error);

// 87 when the request addresses the control location in a way the adapter does not offer.
uint32_t CheckEpromTarget(const SimAdapter& adapter, const EpromRequest& request);
// The rig's request faults: 1 for a refused kind, 31 for a transient or failing-bus fault.
// A transient fault is used up by the request it fails.
uint32_t ApplyRequestFaults(SimAdapter& adapter, RequestKind kind, const EpromRequest* eprom);
// The bus cycles of one EPROM request; reads fill out. 0 or the error number.
uint32_t PerformEpromAccess(SimAdapter& adapter, const EpromRequest& request, uint8_t* out);

}  // namespace tarvex::sim
