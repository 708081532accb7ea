#include "cli/json_text.h"

namespace tarvex::cli {

std::string JsonText(const nlohmann::json& document) {
    return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace tarvex::cli
