#include "cli/list_command.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/adapter_survey.h"
#include "cli/exit_codes.h"
#include "cli/hex_text.h"
#include "cli/image_report.h"
#include "cli/json_text.h"
#include "driver/adapter_queries.h"
#include "driver/rom_size.h"
#include "flash/chip_line.h"
#include "platform/device.h"

namespace tarvex::cli {

namespace {

std::string PciText(uint32_t identity) {
    return PciPairText(static_cast<uint16_t>(identity & 0xFFFF),
                       static_cast<uint16_t>(identity >> 16));
}

void PrintText(const DriverSurvey& survey, std::ostream& out) {
    out << "Driver interface version: 0x" << HexText(survey.interfaceVersion, 8) << "\n";
    if (survey.adapters.empty()) out << "No adapters.\n";
    for (const AdapterSurvey& adapter : survey.adapters) {
        if (!adapter.infoOk) {
            out << "[" << adapter.index << "] adapter information query failed\n";
            continue;
        }
        out << AdapterLine(adapter) << ", ";
        if (adapter.pciIdentity) {
            out << "PCI " << PciText(*adapter.pciIdentity) << ", ROM "
                << RomSizeForIdentity(*adapter.pciIdentity) / 1024 << " KiB, ";
        } else {
            out << "PCI identity unavailable, ";
        }
        out << (adapter.chipChecked ? FlashModelLine(adapter.chipName, adapter.chipId)
                                    : FlashModelNotChecked)
            << "\n";
    }
}

nlohmann::json AdapterJson(const AdapterSurvey& adapter) {
    nlohmann::json entry = {{"index", adapter.index}, {"info_ok", adapter.infoOk}};
    if (!adapter.infoOk) return entry;
    entry["name"] = adapter.name;
    entry["line"] = AdapterLine(adapter);
    entry["model_code"] = adapter.modelCode;
    if (adapter.pciIdentity) {
        entry["pci"] = PciText(*adapter.pciIdentity);
        entry["rom_size"] = RomSizeForIdentity(*adapter.pciIdentity);
    }
    if (!adapter.chipChecked) {
        entry["chip"] = nullptr;
        return entry;
    }
    entry["chip"] = {{"row", adapter.chipRow},
                     {"name", adapter.chipName},
                     {"id", "0x" + HexText(adapter.chipId, 4)}};
    return entry;
}

}  // namespace

int RunList(bool json, std::ostream& out, std::ostream& err, bool chips) {
    const platform::ProviderDescription provider = platform::DescribeDeviceProvider();
    if (!json)
        out << (provider.simulated
                    ? "Simulated adapters, not real hardware (rig: " + provider.rig + ")\n"
                    : std::string("Adapters of the storage driver (real hardware)\n"));
    const DriverSurvey survey = SurveyDriver(chips);
    if (survey.adapterCount == -1) {
        err << "No Controller is detected.\n";
        if (platform::DeviceOpenDenied())
            err << "Administrator rights are needed to open the adapters' devices: run "
                   "tarvex-flash-cli from a command prompt started with \"Run as administrator\" "
                   "(on Windows XP, as an administrator: runas /user:Administrator cmd).\n";
        return ExitUnavailable;
    }
    if (!json) {
        PrintText(survey, out);
        return ExitOk;
    }
    nlohmann::json document = {{"interface_version", "0x" + HexText(survey.interfaceVersion, 8)},
                               {"adapter_count", survey.adapterCount},
                               {"adapters", nlohmann::json::array()},
                               {"simulator", nullptr}};
    if (provider.simulated) document["simulator"] = {{"rig", provider.rig}};
    for (const AdapterSurvey& adapter : survey.adapters)
        document["adapters"].push_back(AdapterJson(adapter));
    out << JsonText(document) << "\n";
    return ExitOk;
}

}  // namespace tarvex::cli
