#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "driver/adapter_queries.h"
#include "ui/window_controls.h"

namespace tarvex {

// Module state of the main window, shared by the main window, its commands and the
// configuration dialog.
extern ProgressControl g_progress;
extern StatusControl g_status;
extern AdapterInfo g_adapterInfo;
extern std::string g_tempImagePath;  // empty until created
extern uint8_t g_useTempImage;       // 1 while the temporary file holds the edited image
extern std::unique_ptr<uint8_t[]> g_imageBuffer;  // the image Config read, or null
extern int32_t g_imageSize;                       // its length in bytes
extern int32_t g_phaseShown;                      // a phase label is in the status line

// Returns the state to its start values (tests). The temporary file is not deleted.
void ResetWindowState();

}  // namespace tarvex
