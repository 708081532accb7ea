#include "flash/run_state.h"

#include "flash/event_channel.h"

namespace tarvex {

namespace {
FlashRunState g_flashRunState;
}

FlashRunState& CurrentFlashRunState() { return g_flashRunState; }

void ResetFlashRunState() {
    g_flashRunState.adapter = 0;
    g_flashRunState.force = 0;
    g_flashRunState.file = NoFileDescriptor;
    g_flashRunState.image.reset();
    g_flashRunState.imageLength = 0;
    g_flashRunState.contentLength = 0;
    g_flashRunState.status = StatusOk;
    g_flashRunState.chip = nullptr;
    SetEventSink(nullptr);
}

void RecordFlashStatus(FlashStatus status) { g_flashRunState.status = status; }

}  // namespace tarvex
