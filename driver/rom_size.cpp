#include "driver/rom_size.h"

namespace tarvex {

int32_t RomSize = DefaultRomSize;

int32_t SetRomSizeForAdapter(AdapterIndex adapter) {
    PciIdentity identity = 0;
    if (GetAdapterPciId(adapter, &identity) != 0) return -1;
    RomSize = RomSizeForIdentity(identity);
    return 0;
}

}  // namespace tarvex
