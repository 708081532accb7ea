#include <filesystem>

#include "platform/pci_pair_text.h"
#include "sim/request_kind.h"
#include "sim/rig_sections.h"

namespace tarvex::sim {

namespace {

using nlohmann::json;

bool ParsePci(RigReader& r, const json& value, const std::string& key, RigAdapter& adapter) {
    std::string text;
    if (!r.Text(value, key, text)) return false;
    if (!platform::ParsePciPair(text, adapter.vendor, adapter.device))
        return r.Fail(key, "expected \"VVVV:DDDD\" in hexadecimal");
    return true;
}

bool ParseChip(RigReader& r, const json& value, const std::string& key, std::string& chip) {
    if (!r.Text(value, key, chip)) return false;
    if (chip == "none" || ChipModelSize(chip) != 0) return true;
    return r.Fail(key, "unknown chip \"" + chip + "\"");
}

bool ParseKinds(RigReader& r, const json& value, const std::string& key,
                std::set<std::string>& kinds) {
    if (!r.Array(value, key)) return false;
    for (size_t i = 0; i < value.size(); ++i) {
        const std::string itemKey = key + "[" + std::to_string(i) + "]";
        std::string kind;
        if (!r.Text(value[i], itemKey, kind)) return false;
        RequestKind ignored;
        if (!KindFromName(kind, ignored)) return r.Fail(itemKey, "unknown request kind");
        kinds.insert(kind);
    }
    return true;
}

bool ParseTransient(RigReader& r, const json& value, const std::string& key,
                    std::map<std::string, int>& transient) {
    if (!value.is_object()) return r.Fail(key, "expected an object");
    for (const auto& item : value.items()) {
        const std::string itemKey = key + "." + item.key();
        RequestKind ignored;
        if (!KindFromName(item.key(), ignored)) return r.Fail(itemKey, "unknown request kind");
        uint32_t count = 0;
        if (!r.Number(item.value(), itemKey, count, INT32_MAX)) return false;
        transient[item.key()] = static_cast<int>(count);
    }
    return true;
}

bool ParseOffsets(RigReader& r, const json& value, const std::string& key,
                  std::vector<uint32_t>& offsets) {
    if (!r.Array(value, key)) return false;
    for (size_t i = 0; i < value.size(); ++i) {
        uint32_t offset = 0;
        if (!r.Number(value[i], key + "[" + std::to_string(i) + "]", offset)) return false;
        offsets.push_back(offset);
    }
    return true;
}

// An object whose keys are offsets: {"0x10": value}.
template <typename T>
bool ParseOffsetMap(RigReader& r, const json& value, const std::string& key, uint32_t max,
                    std::map<uint32_t, T>& out) {
    if (!value.is_object()) return r.Fail(key, "expected an object");
    for (const auto& item : value.items()) {
        const std::string itemKey = key + "." + item.key();
        uint32_t offset = 0;
        uint32_t number = 0;
        if (!r.NumberKey(item.key(), itemKey, offset) ||
            !r.Number(item.value(), itemKey, number, max))
            return false;
        out[offset] = static_cast<T>(number);
    }
    return true;
}

bool ParseOptionalOffset(RigReader& r, const json& faults, const char* name, const std::string& key,
                         std::optional<uint32_t>& out) {
    const json* value = Member(faults, name);
    if (!value) return true;
    uint32_t offset = 0;
    if (!r.Number(*value, key + "." + name, offset)) return false;
    out = offset;
    return true;
}

bool ParseAdapter(RigReader& r, const json& value, const std::string& key,
                  const std::string& baseDir, RigAdapter& adapter) {
    if (!r.Object(value, key, {"pci", "model", "name", "chip", "rom", "sdp", "faults"}))
        return false;
    uint32_t model = adapter.model;
    if (const json* v = Member(value, "pci"); v && !ParsePci(r, *v, key + ".pci", adapter))
        return false;
    if (const json* v = Member(value, "model"); v && !r.Number(*v, key + ".model", model, 255))
        return false;
    adapter.model = static_cast<uint8_t>(model);
    if (const json* v = Member(value, "name"); v && !r.Text(*v, key + ".name", adapter.name))
        return false;
    if (const json* v = Member(value, "chip"); v && !ParseChip(r, *v, key + ".chip", adapter.chip))
        return false;
    if (const json* v = Member(value, "rom")) {
        std::string rom;
        if (!r.Text(*v, key + ".rom", rom)) return false;
        if (rom.empty()) return r.Fail(key + ".rom", "expected a file name");
        adapter.romPath = ResolveRigPath(baseDir, rom);
    }
    if (const json* v = Member(value, "sdp"); v && !r.Bool(*v, key + ".sdp", adapter.sdp))
        return false;
    if (const json* v = Member(value, "faults"))
        return ParseFaults(r, *v, key + ".faults", adapter.faults);
    return true;
}

}  // namespace

std::string ResolveRigPath(const std::string& baseDir, const std::string& path) {
    const std::filesystem::path p(path);
    if (baseDir.empty() || p.is_absolute()) return path;
    return (std::filesystem::path(baseDir) / p).string();
}

bool ParseFaults(RigReader& r, const json& value, const std::string& key, RigFaults& faults) {
    if (!r.Object(value, key,
                  {"transient", "refuse", "read_fails_at", "write_fails_at", "unsteady_read_at",
                   "protected_sectors", "erase_hangs", "program_hangs_at", "weak_cells",
                   "flaky_pages"}))
        return false;
    ChipFaults& chip = faults.chip;
    const json* v = nullptr;
    if ((v = Member(value, "transient")) &&
        !ParseTransient(r, *v, key + ".transient", faults.transient))
        return false;
    if ((v = Member(value, "refuse")) && !ParseKinds(r, *v, key + ".refuse", faults.refuse))
        return false;
    if (!ParseOptionalOffset(r, value, "read_fails_at", key, faults.readFailsAt) ||
        !ParseOptionalOffset(r, value, "write_fails_at", key, faults.writeFailsAt) ||
        !ParseOptionalOffset(r, value, "unsteady_read_at", key, faults.unsteadyReadAt) ||
        !ParseOptionalOffset(r, value, "program_hangs_at", key, chip.programHangsAt))
        return false;
    if ((v = Member(value, "protected_sectors")) &&
        !ParseOffsets(r, *v, key + ".protected_sectors", chip.protectedSectors))
        return false;
    if ((v = Member(value, "erase_hangs")) && !r.Bool(*v, key + ".erase_hangs", chip.eraseHangs))
        return false;
    if ((v = Member(value, "weak_cells")) &&
        !ParseOffsetMap(r, *v, key + ".weak_cells", 255, chip.weakCells))
        return false;
    if ((v = Member(value, "flaky_pages")) &&
        !ParseOffsetMap(r, *v, key + ".flaky_pages", INT32_MAX, chip.flakyPages))
        return false;
    return true;
}

bool ParseAdapters(RigReader& reader, const json& value, const std::string& baseDir,
                   std::vector<RigAdapter>& adapters) {
    if (!reader.Array(value, "adapters")) return false;
    adapters.assign(value.size(), RigAdapter{});
    for (size_t i = 0; i < value.size(); ++i) {
        const std::string key = "adapters[" + std::to_string(i) + "]";
        if (!ParseAdapter(reader, value[i], key, baseDir, adapters[i])) return false;
    }
    return true;
}

}  // namespace tarvex::sim
