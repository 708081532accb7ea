#pragma once
#include <cstddef>
#include <iosfwd>
#include <nlohmann/json_fwd.hpp>
#include <vector>

#include "config/config_entry.h"

namespace tarvex::cli {

// One line per entry: row, kind, label, limits of numbers, stored value (and its meaning for
// switches), and where the value lies.
void PrintConfigEntries(const std::vector<ConfigEntry>& entries, std::ostream& out);
nlohmann::json ConfigEntryJson(size_t row, const ConfigEntry& entry);

}  // namespace tarvex::cli
