#include "cli/identify_command.h"

#include <cstdio>
#include <ostream>

#include "cli/exit_codes.h"
#include "driver/adapter_queries.h"
#include "flash/chip_catalogue.h"
#include "flash/identify.h"
#include "platform/device.h"

namespace tarvex::cli {

int RunIdentify(uint32_t adapter, std::ostream& out, std::ostream& err) {
    AdapterInfo info;
    if (GetAdapterInfo(adapter, &info) != 0) {
        err << "Adapter " << adapter << " does not answer the information query.\n";
        return ExitUnavailable;
    }
    const uint64_t requestsBefore = platform::DeviceRequestCount();
    const uint64_t clockBefore = platform::ClockUs();
    const int32_t row = IdentifyFlashChip(adapter);
    const uint64_t requests = platform::DeviceRequestCount() - requestsBefore;
    const uint64_t elapsedUs = platform::ClockUs() - clockBefore;

    char cost[96];
    std::snprintf(cost, sizeof cost, "%llu requests, %llu.%03llu ms",
                  static_cast<unsigned long long>(requests),
                  static_cast<unsigned long long>(elapsedUs / 1000),
                  static_cast<unsigned long long>(elapsedUs % 1000));
    if (row < 0) {
        out << "No Support EPROM found (scan: " << cost << ")\n";
        return ExitUnavailable;
    }
    char line[160];
    std::snprintf(line, sizeof line, "Row %d: %s, id 0x%04X (scan: %s)\n", row,
                  FlashChipTable[row].name, static_cast<unsigned>(FlashChipTable[row].id), cost);
    out << line;
    return ExitOk;
}

}  // namespace tarvex::cli
