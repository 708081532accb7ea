#include "sim/rig_text.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarvex::sim {

namespace {

// A rig of a few adapters takes a few KiB; anything this large is not one.
constexpr std::uintmax_t MaxRigFile = 1 << 20;

}  // namespace

std::string PrintableText(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        shown += hex;
    }
    return shown;
}

bool ReadRigText(const std::string& path, std::string& text, std::string& error) {
    std::error_code code;
    const auto status = std::filesystem::status(path, code);
    if (code) {
        error = "cannot be read: " + code.message();
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "not a regular file";
        return false;
    }
    if (std::filesystem::file_size(path, code) > MaxRigFile || code) {
        error = "larger than any rig file (1 MiB)";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad() || !file.is_open()) {
        error = "cannot be read";
        return false;
    }
    return true;
}

std::string SyntaxErrorText(const std::string& parserMessage) {
    // "[json.exception.parse_error.101] parse error at line 1, column 15: syntax error ..."
    const std::string at = " at line ";
    const size_t where = parserMessage.find(at);
    const size_t colon = where == std::string::npos ? where : parserMessage.find(": ", where);
    if (colon == std::string::npos)
        return "(document): not valid JSON (" + PrintableText(parserMessage) + ")";
    const std::string position = parserMessage.substr(where + 4, colon - where - 4);
    return position + ": not valid JSON (" + PrintableText(parserMessage.substr(colon + 2)) + ")";
}

}  // namespace tarvex::sim
