#include "cli/adapter_choice.h"

#include <ostream>

#include "driver/adapter_queries.h"
#include "driver/adapter_line.h"

namespace tarvex::cli {

bool ChooseAdapter(const std::optional<uint32_t>& given, uint32_t& adapter, std::ostream& err) {
    if (given) {
        adapter = *given;
        return true;
    }
    const int32_t count = GetAdapterCount();
    adapter = 0;
    if (count <= 1) return true;
    err << "There are " << count << " adapters; say which with -a N:\n";
    for (int32_t i = 0; i < count; ++i) {
        AdapterInfo info;
        const auto number = static_cast<uint32_t>(i);
        if (GetAdapterInfo(number, &info) == 0)
            err << "  " << AdapterLine(number, AdapterName(info), AdapterModelCode(info)) << "\n";
        else
            err << "  [" << i << "] adapter information query failed\n";
    }
    return false;
}

}  // namespace tarvex::cli
