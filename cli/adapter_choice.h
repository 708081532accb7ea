#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>

namespace tarvex::cli {

// The adapter a flash or backup works on: the one given, or adapter 0 when the driver reports
// no more than one. False, after listing the adapters on err, when several need a choice.
bool ChooseAdapter(const std::optional<uint32_t>& given, uint32_t& adapter, std::ostream& err);

}  // namespace tarvex::cli
