#pragma once
// The adapters' storage driver as device provider: Windows builds only.
#include <windows.h>

#include <memory>

#include "platform/device_provider.h"

namespace tarvex::platform {

// The kernel calls the provider makes, replaceable so that tests can see their arguments.
struct KernelCalls {
    HANDLE(WINAPI* createFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* deviceIoControl)
    (HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* closeHandle)(HANDLE);
    VOID(WINAPI* sleep)(DWORD);
    BOOL(WINAPI* getVersionEx)(LPOSVERSIONINFOA);
};

KernelCalls SystemKernelCalls();

// Devices are opened for reading and writing, shared for reading only; every request is one
// synchronous DeviceIoControl with the same buffer in and out. A failed call leaves the
// system's last error as the thread's last error.
std::shared_ptr<DeviceProvider> MakeDriverProvider(const KernelCalls& calls = SystemKernelCalls());

}  // namespace tarvex::platform
