#include "ui/flash_progress_sink.h"

#include <chrono>

#include "flash/event_channel.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {

constexpr auto RepaintInterval = std::chrono::milliseconds(30);

std::chrono::steady_clock::time_point g_lastRepaint;

// The window stays drawn during a run, taking no input meanwhile.
void RepaintNowAndThen() {
    auto now = std::chrono::steady_clock::now();
    DialogSurface* window = g_status.Surface();
    if (now - g_lastRepaint < RepaintInterval || window == nullptr) return;
    g_lastRepaint = now;
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
