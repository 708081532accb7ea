#pragma once
#include <cctype>
#include <string>

namespace tarvex::testing {

// "kvr", one to four hexadecimal digits, ".TMP": the window's temporary image file, in any case
// (Windows names are case-blind, and Wine's system names it "kvr<hex>.tmp").
inline bool IsTempImageName(std::string name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!name.starts_with("KVR") || !name.ends_with(".TMP")) return false;
    const std::string digits = name.substr(3, name.size() - 7);
    return !digits.empty() && digits.size() <= 4 &&
           digits.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

}  // namespace tarvex::testing
