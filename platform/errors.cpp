#include "platform/errors.h"

namespace tarvex::platform {

namespace {
thread_local uint32_t t_lastError = 0;
}

uint32_t GetLastError() { return t_lastError; }
void SetLastError(uint32_t error) { t_lastError = error; }

}  // namespace tarvex::platform
