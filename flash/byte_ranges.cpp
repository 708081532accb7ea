#include "flash/eprom_access.h"
#include "flash/program_routines.h"

namespace tarvex {

int32_t WriteBytes(AdapterIndex adapter, uint32_t offset, const uint8_t* bytes, uint16_t count) {
    for (uint16_t i = 0; i < count; ++i) WriteEpromByte(adapter, offset + i, bytes[i]);
    return 1;
}

int32_t CompareRange(AdapterIndex adapter, uint32_t offset, const uint8_t* bytes, uint16_t count) {
    for (uint16_t i = 0; i < count; ++i) {
        // A byte that cannot be read does not match.
        uint8_t rom = 0;
        if (ReadEprom(adapter, offset + i, &rom, 1) != StatusOk || rom != bytes[i]) return 0;
    }
    return 1;
}

}  // namespace tarvex
