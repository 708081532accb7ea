#pragma once
#include <string>
#include <vector>

namespace tarvex::cli {

// The name closest to word by edit distance, for "did you mean"; empty when none is close.
std::string NearestName(const std::string& word, const std::vector<std::string>& names);

}  // namespace tarvex::cli
