#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>

namespace tarvex::cli {

// Compares an adapter's ROM with an image as a flash would program it (buffer rule, zero tail,
// checksum fixed) without writing anything. The ROM is read in 512-byte blocks. Exit status 0
// when they match, 13 (StatusVerifyFailed) when they differ; otherwise 65 for an image that
// cannot be used, 74 when the file or the ROM cannot be read, 69 when the adapter does not answer.
int RunVerify(uint32_t adapter, const std::string& image, std::ostream& out, std::ostream& err);

}  // namespace tarvex::cli
