#include <algorithm>
#include <string>

#include "driver/adapter_queries.h"
#include "flash/identify.h"
#include "fuzz_entries.h"
#include "fuzz_support.h"
#include "platform/device.h"
#include "sim/rig.h"

namespace tarvex::fuzz {

namespace {

// Chips beyond this much memory are not brought up: a small rig file can name many.
constexpr uint64_t MaxChipBytes = 4 << 20;
constexpr int32_t AskedAdapters = 4;

// "fuzz.json: <key>: <problem>" on one line.
void CheckProblemText(const std::string& error) {
    const std::string head = "fuzz.json: ";
    FuzzCheck(error.rfind(head, 0) == 0, "a problem names the file first");
    const size_t colon = error.find(": ", head.size());
    FuzzCheck(colon != std::string::npos && colon > head.size() && colon + 2 < error.size(),
              "a problem names a key and says what is wrong");
    FuzzCheck(std::none_of(error.begin(), error.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
              "a problem is one line of printable text");
}

}  // namespace

int FuzzRigFile(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::Rig rig;
    std::string error;
    if (!sim::ParseRig(text, "rigs", "fuzz.json", rig, error)) {
        CheckProblemText(error);
        return 0;
    }
    // In memory only, so that no file of the input's is touched.
    rig.trace.file.clear();
    uint64_t chipBytes = 0;
    for (sim::RigAdapter& adapter : rig.adapters) {
        adapter.romPath.clear();
        chipBytes += sim::ChipModelSize(adapter.chip);
    }
    if (chipBytes > MaxChipBytes) return 0;
    ResetProcessState();
    platform::InstallDeviceProvider(
        StartSimulator(rig, "a rig that parses comes up when it needs no file"));
    GetInterfaceVersion();
    const int32_t count = std::min(GetAdapterCount(), AskedAdapters);
    for (int32_t i = 0; i < count; ++i) {
        const auto adapter = static_cast<AdapterIndex>(i);
        AdapterInfo info;
        PciIdentity identity = 0;
        GetAdapterInfo(adapter, &info);
        GetAdapterPciId(adapter, &identity);
        IdentifyFlashChip(adapter);
    }
    ResetProcessState();
    return 0;
}

}  // namespace tarvex::fuzz
