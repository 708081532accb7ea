#pragma once

namespace tarvex {

// Why a file is no image that an operation accepts.
enum class RomProblem {
    None,
    TooShort,            // fewer than 4 bytes
    NoSignature,         // does not begin with 0x55, 0xAA
    IdentityOutside,     // the identity lies beyond the buffer a flash would load the file into
    PciDataOutsideFile,  // the PCI data structure offset plus 4 reaches the end of the file
    Truncated,           // the length byte declares more bytes than the file holds
};

// The reason in words, to follow "is not a BIOS image: " or a verdict's name.
const char* RomProblemText(RomProblem problem);

}  // namespace tarvex
