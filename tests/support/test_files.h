#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "samples/sample_image.h"
#include "support/sim_session.h"
#include "support/temp_dir.h"

namespace tarvex::testing {

inline std::string WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> SampleRom(uint16_t vendor, uint16_t device, uint32_t size = 32768) {
    return MakeSampleImage({vendor, device, size, ClassCodeRaid, "test image"});
}

// One adapter 1C5D:<device> with the chip and faults, on the virtual clock.
inline sim::Rig OneAdapterRig(uint16_t device, const std::string& chip = "SST 39SF010A",
                              sim::RigFaults faults = {}) {
    sim::RigAdapter adapter = MakeAdapter(0x1C5D, device, chip);
    adapter.faults = std::move(faults);
    return MakeRig({adapter});
}

// An adapter of a rig file: its fields, and any further ones (`more`, such as "\"sdp\": false").
struct RigFileAdapter {
    std::string pci = "1C5D:0A12";
    std::string chip = "SST 39SF010A";
    std::string rom = "chip.rom";  // beside the rig file
    std::string more;
    std::string name = "A";
    int model = 7;
};

// Writes a rig file of these adapters on the virtual clock; `more` adds top-level fields.
inline std::string WriteRigFile(const std::string& path,
                                const std::vector<RigFileAdapter>& adapters,
                                const std::string& more = "") {
    std::ofstream file(path);
    file << R"({"clock": {"mode": "virtual"}, )" << (more.empty() ? "" : more + ", ")
         << R"("adapters": [)";
    for (size_t i = 0; i < adapters.size(); ++i) {
        const RigFileAdapter& a = adapters[i];
        file << (i ? ", " : "") << R"({"pci": ")" << a.pci << R"(", "model": )" << a.model
             << R"(, "name": ")" << a.name << R"(", "chip": ")" << a.chip << R"(", "rom": ")"
             << a.rom << '"' << (a.more.empty() ? "" : ", " + a.more) << "}";
    }
    file << "]}";
    return path;
}

// A file of the given size holding only the ROM signature; the rest is a hole.
inline std::string WriteSparseImage(const std::string& path, int64_t size) {
    WriteFile(path, {0x55, 0xAA, 0x40, 0xCB});
    std::filesystem::resize_file(path, static_cast<uintmax_t>(size));
    return path;
}

}  // namespace tarvex::testing
