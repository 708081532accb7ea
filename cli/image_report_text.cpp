#include <cstdio>
#include <ostream>
#include <string>

#include "cli/image_report.h"
#include "cli/config_entry_report.h"

namespace tarvex::cli {

namespace {

std::string Format(const char* format, auto... args) {
    char text[192];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

void PrintPciData(const PciDataInfo& pci, std::ostream& out) {
    out << Format("  PCI data structure:  at 0x%zX, signature \"%s\"%s\n", pci.offset,
                  pci.signature.c_str(), pci.signatureOk ? "" : " (not PCIR)");
    out << "  Vendor:device:       " << PciPairText(pci.vendor, pci.device) << "\n";
    out << Format("  Class code:          %02X %02X %02X %s\n", (pci.classCode >> 16) & 0xFF,
                  (pci.classCode >> 8) & 0xFF, pci.classCode & 0xFF, ClassCodeName(pci.classCode));
    out << Format("  Code type:           %u %s\n", static_cast<unsigned>(pci.codeType),
                  CodeTypeName(pci.codeType));
    out << Format("  Image length:        %u x 512 = %u bytes\n",
                  static_cast<unsigned>(pci.imageLength), pci.imageLength * 512u);
    out << Format("  Revisions:           structure %u (length %u), code 0x%04X\n",
                  static_cast<unsigned>(pci.revision), static_cast<unsigned>(pci.structureLength),
                  static_cast<unsigned>(pci.codeRevision));
    out << Format("  Last image:          %s (indicator 0x%02X)\n", pci.lastImage ? "yes" : "no",
                  static_cast<unsigned>(pci.indicator));
}

void PrintImage(size_t index, const RomImageInfo& image, std::ostream& out) {
    out << Format("Image %zu at 0x%zX\n", index, image.start);
    if (!image.signatureOk) {
        out << "  Signature:           missing (no 55 AA)\n";
        return;
    }
    out << "  Signature:           55 AA\n";
    out << Format("  Length byte:         0x%02X (%zu bytes declared%s)\n",
                  static_cast<unsigned>(image.lengthByte), image.declaredSize,
                  image.declaredInFile ? "" : ", beyond the end of the file");
    out << Format("  EFI marker:          %s (word at offset 4: 0x%08X)\n",
                  image.efi ? "yes" : "no", image.efiWord);
    if (image.pci.present)
        PrintPciData(image.pci, out);
    else if (image.pci.offset == 0)  // the file ends before the offset field at 0x18
        out << "  PCI data structure:  its offset field lies beyond the end of the file\n";
    else
        out << Format("  PCI data structure:  at 0x%zX, beyond the end of the file\n",
                      image.pci.offset);
    out << Format("  Checksum:            declared range sums to 0x%02X (%s)\n",
                  static_cast<unsigned>(image.sum), image.checksumOk ? "valid" : "not valid");
}

std::string Verdict(RomProblem problem) {
    if (problem == RomProblem::None) return "accepted";
    return std::string("refused, ") + RomProblemText(problem);
}

}  // namespace

void PrintImageReport(const ImageReport& report, std::ostream& out) {
    const OptionRomInfo& rom = report.rom;
    out << "File: " << report.path << " (" << rom.fileSize << " bytes)\n";
    for (size_t i = 0; i < rom.images.size(); ++i) PrintImage(i, rom.images[i], out);
    if (rom.identityReadable)
        out << Format("Identity for flashing: %08X (%s)\n", rom.identity,
                      PciPairText(rom.identity & 0xFFFF, rom.identity >> 16).c_str());
    out << "Flash:  " << Verdict(rom.problem) << "\n";
    out << "Config: " << Verdict(rom.configProblem) << "\n";
    if (rom.configProblem == RomProblem::None) PrintConfigEntries(report.entries, out);
}

}  // namespace tarvex::cli
