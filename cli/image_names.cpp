#include <cstdio>

#include "cli/image_report.h"

namespace tarvex::cli {

std::string PciPairText(uint16_t vendor, uint16_t device) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X:%04X", static_cast<unsigned>(vendor),
                  static_cast<unsigned>(device));
    return text;
}

const char* ClassCodeName(uint32_t classCode) {
    if (classCode >> 16 != 0x01) return "";
    switch ((classCode >> 8) & 0xFF) {
        case 0x00:
            return "(mass storage, SCSI)";
        case 0x01:
            return "(mass storage, IDE)";
        case 0x04:
            return "(mass storage, RAID)";
        case 0x05:
            return "(mass storage, ATA)";
        case 0x06:
            return "(mass storage, SATA)";
        case 0x07:
            return "(mass storage, SAS)";
        default:
            return "(mass storage)";
    }
}

const char* CodeTypeName(uint8_t codeType) {
    switch (codeType) {
        case 0:
            return "(x86 PC-AT)";
        case 1:
            return "(Open Firmware)";
        case 2:
            return "(PA-RISC)";
        case 3:
            return "(EFI)";
        default:
            return "";
    }
}

}  // namespace tarvex::cli
