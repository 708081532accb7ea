#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/chips/chip_model.h"
#include "sim/model_clock.h"

namespace tarvex::sim {

// Request kinds as rig files and traces name them.
inline constexpr const char* RequestKindNames[] = {
    "version", "adapter_count", "adapter_info", "capability",
    "adapter_list", "eprom_access", "pci_identity"};

struct RigHost {
    bool nt = true;
    uint32_t major = 5;
    uint32_t minor = 1;
    bool extendedVersionInfo = true;
};

struct RigDriver {
    uint32_t interfaceVersion = 0x01000000;
    std::optional<uint32_t> adapterCount;  // defaults to the number of adapters
    std::vector<std::string> wrapperNames = {"wrapA4", "KvrWrap"};
};

struct RigClock {
    ModelClock::Mode mode = ModelClock::Mode::Virtual;
    uint32_t requestLatencyUs = 20;
    ChipTiming chipTiming{};  // how long the chips' operations take within their datasheet ranges
};

// Port i is "\\.\Scsi<i>:"; a port that does not exist is a gap in the numbering.
struct RigPort {
    bool exists = true;
    std::vector<uint32_t> adapters;
    bool adapterList = true;
    bool answersProbe = true;
};

struct RigFaults {
    std::map<std::string, int> transient{};    // request kind -> next N requests fail with 31
    std::set<std::string> refuse{};            // request kinds that always fail with 1
    std::optional<uint32_t> readFailsAt{};     // EPROM reads covering this offset fail
    std::optional<uint32_t> writeFailsAt{};    // EPROM writes covering this offset fail
    std::optional<uint32_t> unsteadyReadAt{};  // this byte reads inverted on every second read
    ChipFaults chip{};
};

struct RigAdapter {
    uint16_t vendor = 0;
    uint16_t device = 0;
    uint8_t model = 0;
    std::string name;
    std::string chip = "none";
    std::string romPath;  // empty: contents in memory; resolved against the rig's folder
    bool sdp = true;      // page-write parts: data protection on delivery
    RigFaults faults;
};

struct RigTrace {
    std::string file;  // empty: no trace file
    bool envelopes = false;
};

struct Rig {
    RigHost host;
    RigDriver driver;
    RigClock clock;
    std::optional<std::vector<RigPort>> ports;  // NT only; none: one port serves every adapter
    std::vector<RigAdapter> adapters;
    RigTrace trace;
    // Where the rig comes from: "built-in default", a rig file's path, or empty (made in code).
    std::string source;
};

// Parses a rig file. On failure returns false and sets error to a message naming the file
// and the key ("rig.json: adapters[1].pci: expected \"VVVV:DDDD\"").
bool LoadRig(const std::string& path, Rig& rig, std::string& error);
// The same from text; relative paths are resolved against baseDir, sourceName names it in errors.
bool ParseRig(const std::string& text, const std::string& baseDir, const std::string& sourceName,
              Rig& rig, std::string& error);
// Three adapters of different models, PCI identities and ROM sizes on an NT 5.1 host, real clock.
Rig DefaultRig();

}  // namespace tarvex::sim
