#pragma once
#include <iosfwd>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "config/config_entry.h"
#include "image/option_rom_info.h"

namespace tarvex::cli {

// What `info` tells of an image file.
struct ImageReport {
    std::string path;
    OptionRomInfo rom;
    std::vector<ConfigEntry> entries;  // the config entries, in image order
};

void PrintImageReport(const ImageReport& report, std::ostream& out);
nlohmann::json ImageReportJson(const ImageReport& report);

// "1C5D:0A12"
std::string PciPairText(uint16_t vendor, uint16_t device);
// A few names of mass-storage class codes and code types, "" when not known.
const char* ClassCodeName(uint32_t classCode);
const char* CodeTypeName(uint8_t codeType);

}  // namespace tarvex::cli
