#pragma once
#include <cstdint>
#include <span>

#include "image/rom_problem.h"

namespace tarvex {

// Whether Config takes a file read whole: at least 4 bytes, the ROM signature, and the PCI data
// structure's offset (at 0x18) plus 4 inside the file.
RomProblem ConfigImageProblem(std::span<const uint8_t> file);

}  // namespace tarvex
