#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_state.h"
#include "support/entry_writer.h"

namespace tarvex::testing {

// An image of exactly `length` bytes: ROM signature, size byte, zeros elsewhere.
inline std::vector<uint8_t> BlankImage(size_t length, uint8_t sizeByte) {
    std::vector<uint8_t> image(length, 0);
    if (length > 2) {
        image[0] = 0x55, image[1] = 0xAA, image[2] = sizeByte;
    }
    return image;
}


// The counted entries as "kind:label[min,max]=value" (limits only when the marker had them).
inline std::string EntriesText() {
    std::string text;
    for (int32_t i = 0; i < g_configEntryCount; ++i) {
        const ConfigEntry& e = g_configEntries[static_cast<size_t>(i)];
        text += (i ? " " : "") + std::string(ConfigEntryKindName(e.kind)) + ":" +
                ConfigLabelText(e);
        if (e.hasLimits) {
            text += "[" + std::to_string(e.min) + "," + std::to_string(e.max) + "]";
        }
        text += "=" + std::to_string(e.value);
    }
    return text;
}

}  // namespace tarvex::testing
