#include "flash/chip_line.h"

#include <cstdio>

#include "flash/identify.h"

namespace tarvex {

std::string FlashModelLine(const std::string& name, uint16_t id) {
    if (name == UnknownChipName) return "Flash Model: not identified";
    char line[96];
    std::snprintf(line, sizeof line, "Flash Model: %s (0x%X)", name.c_str(),
                  static_cast<unsigned>(id));
    return line;
}

}  // namespace tarvex
