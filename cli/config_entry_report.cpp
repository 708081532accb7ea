#include "cli/config_entry_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace tarvex::cli {

namespace {

std::string SwitchMeaning(const ConfigEntry& entry) {
    if (entry.kind != ConfigEntryKind::Switch) return "";
    if (entry.value == 0) return " (Disable)";
    if (entry.value == 1) return " (Enable)";
    return " (neither Disable nor Enable)";
}

}  // namespace

void PrintConfigEntries(const std::vector<ConfigEntry>& entries, std::ostream& out) {
    out << "Config entries: " << entries.size() << "\n";
    for (size_t row = 0; row < entries.size(); ++row) {
        const ConfigEntry& entry = entries[row];
        char limits[40] = "";
        if (entry.kind != ConfigEntryKind::Switch && entry.hasLimits)
            std::snprintf(limits, sizeof limits, " %d..%d", static_cast<int>(entry.min),
                          static_cast<int>(entry.max));
        char line[256];
        std::snprintf(line, sizeof line, "  [%zu] %-6s \"%s\"%s = %u%s at 0x%zX\n", row,
                      std::string(ConfigEntryKindName(entry.kind)).c_str(),
                      ConfigLabelText(entry).c_str(), limits, static_cast<unsigned>(entry.value),
                      SwitchMeaning(entry).c_str(), entry.location);
        out << line;
    }
}

nlohmann::json ConfigEntryJson(size_t row, const ConfigEntry& entry) {
    nlohmann::json json = {{"row", row},
                           {"kind", std::string(ConfigEntryKindName(entry.kind))},
                           {"label", ConfigLabelText(entry)},
                           {"value", entry.value},
                           {"location", entry.location}};
    if (entry.kind != ConfigEntryKind::Switch && entry.hasLimits) {
        json["min"] = entry.min;
        json["max"] = entry.max;
    }
    return json;
}

}  // namespace tarvex::cli
