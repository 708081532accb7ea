#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/hex_text.h"
#include "cli/image_report.h"
#include "cli/config_entry_report.h"

namespace tarvex::cli {

namespace {

nlohmann::json PciDataJson(const PciDataInfo& pci) {
    nlohmann::json json = {{"present", pci.present}, {"offset", pci.offset}};
    if (!pci.present) return json;
    json.update({{"signature", pci.signature},
                 {"signature_ok", pci.signatureOk},
                 {"vendor", HexText(pci.vendor, 4)},
                 {"device", HexText(pci.device, 4)},
                 {"class_code", HexText(pci.classCode, 6)},
                 {"class_name", ClassCodeName(pci.classCode)},
                 {"code_type", pci.codeType},
                 {"code_type_name", CodeTypeName(pci.codeType)},
                 {"image_length", pci.imageLength},
                 {"structure_length", pci.structureLength},
                 {"revision", pci.revision},
                 {"code_revision", pci.codeRevision},
                 {"indicator", pci.indicator},
                 {"last_image", pci.lastImage}});
    return json;
}

nlohmann::json ImageJson(const RomImageInfo& image) {
    return {{"start", image.start},
            {"signature_ok", image.signatureOk},
            {"length_byte", image.lengthByte},
            {"declared_size", image.declaredSize},
            {"declared_in_file", image.declaredInFile},
            {"efi", image.efi},
            {"efi_word", "0x" + HexText(image.efiWord, 8)},
            {"pci_offset", image.pciOffset},
            {"pci", PciDataJson(image.pci)},
            {"sum", image.sum},
            {"checksum_ok", image.checksumOk}};
}

nlohmann::json VerdictJson(RomProblem problem) {
    nlohmann::json json = {{"accepted", problem == RomProblem::None}};
    if (problem != RomProblem::None) json["problem"] = RomProblemText(problem);
    return json;
}

}  // namespace

nlohmann::json ImageReportJson(const ImageReport& report) {
    const OptionRomInfo& rom = report.rom;
    nlohmann::json json = {{"file", report.path},
                           {"size", rom.fileSize},
                           {"bios_image", rom.problem == RomProblem::None},
                           {"images", nlohmann::json::array()},
                           {"config_entries", nlohmann::json::array()}};
    if (rom.problem != RomProblem::None) json["problem"] = RomProblemText(rom.problem);
    json["flash"] = VerdictJson(rom.problem);
    json["config"] = VerdictJson(rom.configProblem);
    json["identity"] = rom.identityReadable ? nlohmann::json(HexText(rom.identity, 8)) : nullptr;
    for (const RomImageInfo& image : rom.images) json["images"].push_back(ImageJson(image));
    for (size_t row = 0; row < report.entries.size(); ++row)
        json["config_entries"].push_back(ConfigEntryJson(row, report.entries[row]));
    return json;
}

}  // namespace tarvex::cli
