#pragma once
#include <cstdint>

namespace tarvex::cli {

// What a flash or backup status means, in words for the user ("the chip erase did not
// complete"); "an unknown failure" outside the table.
const char* StatusWords(int32_t status);

}  // namespace tarvex::cli
