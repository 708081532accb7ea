#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/config_state.h"

namespace tarvex::test {

// An image of exactly `length` bytes: ROM signature, size byte, zeros elsewhere.
inline std::vector<uint8_t> BlankImage(size_t length, uint8_t sizeByte) {
    std::vector<uint8_t> image(length, 0);
    if (length > 2) {
        image[0] = 0x55, image[1] = 0xAA, image[2] = sizeByte;
    }
    return image;
}

// Writes text, then `width` bytes of value little-endian; returns the offset after them.
inline size_t Put(std::vector<uint8_t>& image, size_t at, const std::string& text,
                  uint32_t value = 0, size_t width = 0) {
    for (char c : text) {
        image.at(at++) = static_cast<uint8_t>(c);
    }
    for (size_t i = 0; i < width; ++i) {
        image.at(at++) = static_cast<uint8_t>(value >> (8 * i));
    }
    return at;
}

inline size_t PutSwitch(std::vector<uint8_t>& image, size_t at, const std::string& label,
                        uint8_t value) {
    return Put(image, at, "<VL>" + label + "</V>", value, 1);
}

// letter 'B', 'W' or 'D'; limits is the text between the marker and ">".
inline size_t PutNumber(std::vector<uint8_t>& image, size_t at, char letter,
                        const std::string& limits, const std::string& label, uint32_t value) {
    size_t width = letter == 'B' ? 1 : letter == 'W' ? 2 : 4;
    return Put(image, at, std::string("<V") + letter + limits + ">" + label + "</V>", value, width);
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

}  // namespace tarvex::test
