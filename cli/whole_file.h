#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::cli {

enum class ReadResult { Ok, Unreadable, TooLarge };

// Reads a regular file whole; files larger than any option ROM could be are refused unread.
// On Unreadable, why says what went wrong.
ReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why);

}  // namespace tarvex::cli
