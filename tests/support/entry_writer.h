#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::testing {

// Writes text, then `width` bytes of value little-endian; returns the offset after them.
inline size_t Put(std::vector<uint8_t>& image, size_t at, const std::string& text,
                  uint32_t value = 0, size_t width = 0) {
    for (char c : text) image.at(at++) = static_cast<uint8_t>(c);
    for (size_t i = 0; i < width; ++i) image.at(at++) = static_cast<uint8_t>(value >> (8 * i));
    return at;
}

// A switch entry "<VL>label</V>" and its value byte.
inline size_t PutSwitch(std::vector<uint8_t>& image, size_t at, const std::string& label,
                        uint8_t value) {
    return Put(image, at, "<VL>" + label + "</V>", value, 1);
}

// A number entry: letter 'B', 'W' or 'D'; limits is the text between the marker and ">".
inline size_t PutNumber(std::vector<uint8_t>& image, size_t at, char letter,
                        const std::string& limits, const std::string& label, uint32_t value) {
    const size_t width = letter == 'B' ? 1 : letter == 'W' ? 2 : 4;
    return Put(image, at, std::string("<V") + letter + limits + ">" + label + "</V>", value, width);
}

}  // namespace tarvex::testing
