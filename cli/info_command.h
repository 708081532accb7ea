#pragma once
#include <iosfwd>
#include <string>

namespace tarvex::cli {

// Describes an image file: header, PCI data structure and further images, identity, checksum
// state, EFI marker and config entries. Exit status 65 when the file is no BIOS image (the
// reason on err), 74 when it cannot be read.
int RunInfo(const std::string& image, bool json, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
