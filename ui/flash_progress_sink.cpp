#include "ui/flash_progress_sink.h"

#include "flash/event_channel.h"
#include "platform/monotonic_clock.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {

constexpr uint64_t RepaintIntervalUs = 30000;

uint64_t g_lastRepaintUs = 0;

// The window stays drawn during a run, taking no input meanwhile.
void RepaintNowAndThen() {
    const uint64_t nowUs = platform::MonotonicUs();
    DialogSurface* window = g_status.Surface();
    if (nowUs - g_lastRepaintUs < RepaintIntervalUs || window == nullptr) return;
    g_lastRepaintUs = nowUs;
    window->Repaint();
}

void ShowPhase(const char* label, int32_t percent) {
    if (g_phaseShown == 0) {
        g_status.SetWindowText(label);
        g_phaseShown = 1;
    }
    g_progress.SetPos(percent);
}

}  // namespace

void FlashProgressSink(uint32_t code, int32_t value, const char* text) {
    switch (code) {
    case EventFlashing:
    case EventVerifying:
        return;
    case EventFlashProgress:
        ShowPhase("Flashing...", value);
        break;
    case EventVerifyProgress:
        ShowPhase("Verifying...", value);
        break;
    case EventFlashDone:
    case EventPassed:
        g_phaseShown = 0;
        break;
    default:
        break;
    }
    if (text && *text) g_status.SetWindowText(text);
    RepaintNowAndThen();
}

}  // namespace tarvex
