#pragma once
#include <string>

#include "driver/adapter_queries.h"

namespace tarvex {

// "[n] name (model)": an adapter's line in the main window's list.
std::string AdapterLine(AdapterIndex adapter, const AdapterInfo& info);

// "Flash Model: name (0xID)" for the chip on the adapter, identified afresh (id, then name);
// "Flash Model: not identified" when no catalogue chip answers.
std::string FlashChipLine(AdapterIndex adapter);

// FlashChipLine under the host lock; while another process holds it, nothing is sent and the
// line says that an operation is running elsewhere.
std::string HostCheckedChipLine(AdapterIndex adapter);

}  // namespace tarvex
