#pragma once
#include <nlohmann/json.hpp>
#include <string>

namespace tarvex::cli {

// A document as printed: indented, with text that is not valid UTF-8 (label bytes from an
// image, names from a driver) shown as U+FFFD instead of stopping the program.
std::string JsonText(const nlohmann::json& document);

}  // namespace tarvex::cli
