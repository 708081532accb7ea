#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::cli {

// What the driver tells of one adapter, gathered for listing.
struct AdapterSurvey {
    uint32_t index = 0;
    bool infoOk = false;
    std::string name;
    uint8_t modelCode = 0;
    std::optional<uint32_t> pciIdentity;
    bool chipChecked = false;  // the chip was identified (or found unknown)
    int32_t chipRow = -1;
    std::string chipName;
    uint16_t chipId = 0;
};

struct DriverSurvey {
    uint32_t interfaceVersion = 0xFFFFFFFF;
    int32_t adapterCount = -1;
    std::vector<AdapterSurvey> adapters;
};

// Queries the driver: version, count, then each adapter's information, identity and, when
// asked, its chip.
DriverSurvey SurveyDriver(bool chips = true);

// "[n] name (model)" as the adapter list shows it.
std::string AdapterLine(const AdapterSurvey& adapter);

}  // namespace tarvex::cli
