#include <filesystem>

#include "sim/rig.h"
#include "sim/rig_sections.h"
#include "sim/rig_text.h"

namespace tarvex::sim {

namespace {

using nlohmann::json;

bool ParseVersion(RigReader& r, const json& value, RigHost& host) {
    std::string text;
    if (!r.Text(value, "host.version", text)) return false;
    const auto dot = text.find('.');
    if (dot == std::string::npos ||
        !ParseNumberText(std::string_view(text).substr(0, dot), host.major) ||
        !ParseNumberText(std::string_view(text).substr(dot + 1), host.minor))
        return r.Fail("host.version", "expected \"major.minor\"");
    return true;
}

bool ParseHost(RigReader& r, const json& value, RigHost& host) {
    if (!r.Object(value, "host", {"family", "version", "extended_version_info"})) return false;
    if (const json* v = Member(value, "family")) {
        std::string family;
        if (!r.Text(*v, "host.family", family)) return false;
        if (family != "nt" && family != "9x")
            return r.Fail("host.family", "expected \"nt\" or \"9x\"");
        host.nt = family == "nt";
    }
    if (const json* v = Member(value, "version"); v && !ParseVersion(r, *v, host)) return false;
    if (const json* v = Member(value, "extended_version_info"))
        return r.Bool(*v, "host.extended_version_info", host.extendedVersionInfo);
    return true;
}

bool ParseDriver(RigReader& r, const json& value, RigDriver& driver) {
    if (!r.Object(value, "driver", {"interface_version", "adapter_count", "wrapper_names"}))
        return false;
    if (const json* v = Member(value, "interface_version");
        v && !r.Number(*v, "driver.interface_version", driver.interfaceVersion))
        return false;
    if (const json* v = Member(value, "adapter_count")) {
        uint32_t count = 0;
        if (!r.Number(*v, "driver.adapter_count", count)) return false;
        driver.adapterCount = count;
    }
    if (const json* v = Member(value, "wrapper_names")) {
        if (!r.Array(*v, "driver.wrapper_names")) return false;
        driver.wrapperNames.clear();
        for (size_t i = 0; i < v->size(); ++i) {
            std::string name;
            if (!r.Text((*v)[i], "driver.wrapper_names[" + std::to_string(i) + "]", name))
                return false;
            driver.wrapperNames.push_back(name);
        }
    }
    return true;
}

bool ParseClock(RigReader& r, const json& value, RigClock& clock) {
    if (!r.Object(value, "clock", {"mode", "request_latency_us", "chip_timing"})) return false;
    if (const json* v = Member(value, "mode")) {
        std::string mode;
        if (!r.Text(*v, "clock.mode", mode)) return false;
        if (mode != "virtual" && mode != "real")
            return r.Fail("clock.mode", "expected \"virtual\" or \"real\"");
        clock.mode = mode == "real" ? ModelClock::Mode::Real : ModelClock::Mode::Virtual;
    }
    if (const json* v = Member(value, "request_latency_us");
        v && !r.Number(*v, "clock.request_latency_us", clock.requestLatencyUs))
        return false;
    if (const json* v = Member(value, "chip_timing")) {
        std::string timing;
        if (!r.Text(*v, "clock.chip_timing", timing)) return false;
        if (!ParseChipTiming(timing, clock.chipTiming))
            return r.Fail("clock.chip_timing", "expected \"typical\", \"max\" or \"random:SEED\"");
    }
    return true;
}

bool ParsePort(RigReader& r, const json& value, const std::string& key, RigPort& port) {
    if (value.is_null()) {
        port.exists = false;
        return true;
    }
    if (!r.Object(value, key, {"adapters", "adapter_list", "answers_probe"})) return false;
    if (const json* v = Member(value, "adapters")) {
        if (!r.Array(*v, key + ".adapters")) return false;
        for (size_t i = 0; i < v->size(); ++i) {
            uint32_t adapter = 0;
            if (!r.Number((*v)[i], key + ".adapters[" + std::to_string(i) + "]", adapter))
                return false;
            port.adapters.push_back(adapter);
        }
    }
    if (const json* v = Member(value, "adapter_list");
        v && !r.Bool(*v, key + ".adapter_list", port.adapterList))
        return false;
    if (const json* v = Member(value, "answers_probe"))
        return r.Bool(*v, key + ".answers_probe", port.answersProbe);
    return true;
}

bool ParsePorts(RigReader& r, const json& value, bool ntFamily, std::vector<RigPort>& ports) {
    if (!ntFamily) return r.Fail("ports", "only an nt host has SCSI ports");
    if (!r.Array(value, "ports")) return false;
    ports.assign(value.size(), RigPort{});
    for (size_t i = 0; i < value.size(); ++i) {
        if (!ParsePort(r, value[i], "ports[" + std::to_string(i) + "]", ports[i])) return false;
    }
    return true;
}

bool ParseTrace(RigReader& r, const json& value, const std::string& baseDir, RigTrace& trace) {
    if (!r.Object(value, "trace", {"file", "envelopes"})) return false;
    if (const json* v = Member(value, "file")) {
        std::string file;
        if (!r.Text(*v, "trace.file", file)) return false;
        trace.file = file.empty() ? file : ResolveRigPath(baseDir, file);
    }
    if (const json* v = Member(value, "envelopes"))
        return r.Bool(*v, "trace.envelopes", trace.envelopes);
    return true;
}

bool ParseDocument(RigReader& r, const json& doc, const std::string& baseDir, Rig& rig) {
    if (!doc.is_object()) return r.Fail("(top level)", "expected an object");
    if (!r.Object(doc, "", {"host", "driver", "clock", "ports", "adapters", "trace"})) return false;
    const json* v = nullptr;
    if ((v = Member(doc, "host")) && !ParseHost(r, *v, rig.host)) return false;
    if ((v = Member(doc, "driver")) && !ParseDriver(r, *v, rig.driver)) return false;
    if ((v = Member(doc, "clock")) && !ParseClock(r, *v, rig.clock)) return false;
    if ((v = Member(doc, "ports"))) {
        rig.ports.emplace();
        if (!ParsePorts(r, *v, rig.host.nt, *rig.ports)) return false;
    }
    if ((v = Member(doc, "adapters")) && !ParseAdapters(r, *v, baseDir, rig.adapters)) return false;
    if ((v = Member(doc, "trace")) && !ParseTrace(r, *v, baseDir, rig.trace)) return false;
    return true;
}

}  // namespace

bool ParseRig(const std::string& text, const std::string& baseDir, const std::string& sourceName,
              Rig& rig, std::string& error) {
    RigReader reader(sourceName);
    json doc;
    try {
        doc = json::parse(text);
    } catch (const json::exception& e) {
        error = sourceName + ": " + SyntaxErrorText(e.what());
        return false;
    }
    Rig parsed;
    if (!ParseDocument(reader, doc, baseDir, parsed)) {
        error = reader.Error();
        return false;
    }
    rig = std::move(parsed);
    return true;
}

bool LoadRig(const std::string& path, Rig& rig, std::string& error) {
    std::string text;
    if (!ReadRigText(path, text, error)) {
        error = path + ": (file): " + error;
        return false;
    }
    const std::string baseDir = std::filesystem::path(path).parent_path().string();
    if (!ParseRig(text, baseDir, path, rig, error)) return false;
    rig.source = path;
    return true;
}

}  // namespace tarvex::sim
