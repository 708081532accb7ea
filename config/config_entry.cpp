#include "config/config_entry.h"

#include <algorithm>

namespace tarvex {

std::string_view ConfigEntryKindName(ConfigEntryKind kind) {
    switch (kind) {
    case ConfigEntryKind::Switch: return "switch";
    case ConfigEntryKind::ByteNumber: return "byte";
    case ConfigEntryKind::WordNumber: return "word";
    case ConfigEntryKind::DwordNumber: return "dword";
    default: return "unknown";
    }
}

size_t ConfigValueWidth(ConfigEntryKind kind) {
    switch (kind) {
    case ConfigEntryKind::Switch:
    case ConfigEntryKind::ByteNumber: return 1;
    case ConfigEntryKind::WordNumber: return 2;
    case ConfigEntryKind::DwordNumber: return 4;
    default: return 0;
    }
}

std::string ConfigLabelText(const ConfigEntry& entry) {
    auto end = std::find(entry.label.begin(), entry.label.end(), '\0');
    return std::string(entry.label.begin(), end);
}

}  // namespace tarvex
