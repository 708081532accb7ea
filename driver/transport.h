#pragma once
#include <cstdint>

#include "driver/control_codes.h"
#include "platform/device_provider.h"

namespace tarvex {

using AdapterIndex = uint32_t;
using platform::Handle;
using platform::NoHandle;

// Sends one request to the driver: wraps input and output in the envelope, picks the device
// handle, repeats on ERROR_GEN_FAILURE (up to 3 repeats, 500 ms apart) and copies the answer
// out. Returns 0, or -1 with the reason in the thread's last error; on -1 output is untouched.
int32_t DriverCommand(AdapterIndex adapter, uint32_t controlCode, const void* input,
                      uint32_t inputLength, void* output, uint32_t outputLength, Handle handle);

// The handle of the adapter's slot, or slot 0's when the number is 4 or more or the slot is empty.
Handle HandleForAdapter(AdapterIndex adapter);

}  // namespace tarvex
