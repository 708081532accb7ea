#pragma once
#include <cstdint>

namespace tarvex::platform {

// Win32 error numbers the system relies on; the simulator reports the same ones.
inline constexpr uint32_t ErrorInvalidFunction = 1;
inline constexpr uint32_t ErrorFileNotFound = 2;
inline constexpr uint32_t ErrorAccessDenied = 5;
inline constexpr uint32_t ErrorInvalidHandle = 6;
inline constexpr uint32_t ErrorNotEnoughMemory = 8;
inline constexpr uint32_t ErrorGenFailure = 31;
inline constexpr uint32_t ErrorInvalidParameter = 87;

// The calling thread's last error, as GetLastError/SetLastError keep it.
uint32_t GetLastError();
void SetLastError(uint32_t error);

}  // namespace tarvex::platform
