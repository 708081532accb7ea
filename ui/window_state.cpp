#include "ui/window_state.h"

namespace tarvex {

ProgressControl g_progress;
StatusControl g_status;
AdapterInfo g_adapterInfo;
std::string g_tempImagePath;
uint8_t g_useTempImage = 0;
std::unique_ptr<uint8_t[]> g_imageBuffer;
int32_t g_imageSize = 0;
int32_t g_phaseShown = 0;

void ResetWindowState() {
    g_progress = ProgressControl();
    g_status = StatusControl();
    g_adapterInfo = AdapterInfo();
    g_tempImagePath.clear();
    g_useTempImage = 0;
    g_imageBuffer.reset();
    g_imageSize = 0;
    g_phaseShown = 0;
}

}  // namespace tarvex
