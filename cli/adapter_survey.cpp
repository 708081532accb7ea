#include "cli/adapter_survey.h"

#include "driver/adapter_queries.h"
#include "driver/adapter_line.h"
#include "flash/chip_catalogue.h"
#include "flash/identify.h"

namespace tarvex::cli {

namespace {

AdapterSurvey SurveyAdapter(uint32_t index, bool chips) {
    AdapterSurvey survey;
    survey.index = index;
    AdapterInfo info;
    survey.infoOk = GetAdapterInfo(index, &info) == 0;
    if (!survey.infoOk) return survey;
    survey.name = AdapterName(info);
    survey.modelCode = AdapterModelCode(info);
    PciIdentity identity = 0;
    if (GetAdapterPciId(index, &identity) == 0) survey.pciIdentity = identity;
    if (!chips) return survey;
    survey.chipChecked = true;
    survey.chipRow = IdentifyFlashChip(index);
    if (survey.chipRow >= 0) {
        survey.chipName = FlashChipTable[survey.chipRow].name;
        survey.chipId = static_cast<uint16_t>(FlashChipTable[survey.chipRow].id);
    } else {
        survey.chipName = UnknownChipName;
        survey.chipId = UnknownChipId;
    }
    return survey;
}

}  // namespace

DriverSurvey SurveyDriver(bool chips) {
    DriverSurvey survey;
    survey.interfaceVersion = GetInterfaceVersion();
    survey.adapterCount = GetAdapterCount();
    for (int32_t i = 0; i < survey.adapterCount; ++i)
        survey.adapters.push_back(SurveyAdapter(static_cast<uint32_t>(i), chips));
    return survey;
}

std::string AdapterLine(const AdapterSurvey& adapter) {
    return tarvex::AdapterLine(adapter.index, adapter.name, adapter.modelCode);
}

}  // namespace tarvex::cli
