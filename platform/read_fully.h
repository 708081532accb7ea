#pragma once
#include <cstddef>
#include <cstdint>

namespace tarvex::platform {

// Reads until count bytes have arrived or the file ends, going on after interrupted or short
// reads; returns the bytes obtained.
size_t ReadFully(int fd, uint8_t* buffer, size_t count);

}  // namespace tarvex::platform
