#include "image/rom_problem.h"

namespace tarvex {

const char* RomProblemText(RomProblem problem) {
    switch (problem) {
        case RomProblem::None:
            return "a BIOS image";
        case RomProblem::TooShort:
            return "the file is shorter than 4 bytes";
        case RomProblem::NoSignature:
            return "the file does not begin with the ROM signature 55 AA";
        case RomProblem::IdentityOutside:
            return "the PCI data structure's identity lies beyond the image buffer";
        case RomProblem::PciDataOutsideFile:
            return "the PCI data structure's offset plus 4 reaches the end of the file";
        case RomProblem::Truncated:
            return "the file is truncated: its length byte declares more bytes than it holds";
    }
    return "unknown";
}

}  // namespace tarvex
