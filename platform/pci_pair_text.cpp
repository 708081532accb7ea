#include "platform/pci_pair_text.h"

#include <cctype>
#include <charconv>

namespace tarvex::platform {

namespace {

bool ParseHex16(std::string_view text, uint16_t& value) {
    if (text.size() != 4) return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return std::from_chars(text.data(), text.data() + text.size(), value, 16).ec == std::errc();
}

}  // namespace

bool ParsePciPair(std::string_view text, uint16_t& vendor, uint16_t& device) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    uint16_t v = 0, d = 0;
    if (!ParseHex16(text.substr(0, colon), v) || !ParseHex16(text.substr(colon + 1), d))
        return false;
    vendor = v;
    device = d;
    return true;
}

}  // namespace tarvex::platform
