#include "flash/run_state.h"

#include "flash/event_channel.h"

namespace tarvex {

namespace {
FlashRunState g_flashRunState;
}

FlashRunState& CurrentFlashRunState() { return g_flashRunState; }

void ResetFlashRunState() {
    g_flashRunState = FlashRunState{};
    SetEventSink(nullptr);
}

void RecordFlashStatus(FlashStatus status) { g_flashRunState.status = status; }

}  // namespace tarvex
