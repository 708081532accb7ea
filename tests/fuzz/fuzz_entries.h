#pragma once
#include <cstddef>
#include <cstdint>

namespace tarvex::fuzz {

// One entry per fuzz target: takes any bytes, returns 0, and aborts with the property named
// when one is broken. libFuzzer calls them; the suite replays the kept inputs through them.
using Entry = int (*)(const uint8_t* data, size_t size);

// An image file loaded as a flash loads it, its identity located and its checksum fixed.
int FuzzImageLoad(const uint8_t* data, size_t size);
// An image file described by info, as text and as JSON.
int FuzzImageDescribe(const uint8_t* data, size_t size);
// Nine slot values (little-endian, 16 bits each), then an image: scanned, edited, summed.
int FuzzConfigEdit(const uint8_t* data, size_t size);
// A rig file read, and if it is usable brought up and asked about its adapters.
int FuzzRigFile(const uint8_t* data, size_t size);
// Requests to the simulator: a rig choice byte, then records of an ioctl choice byte, a
// 16-bit length and the request buffer.
int FuzzSimRequests(const uint8_t* data, size_t size);
// Command-line arguments separated by NUL bytes, parsed as the tool parses them.
int FuzzCommandLine(const uint8_t* data, size_t size);

struct Target {
    const char* name;  // also the name of its corpus folder
    Entry entry;
};

inline constexpr Target Targets[] = {
    {"image_load", FuzzImageLoad},     {"image_describe", FuzzImageDescribe},
    {"config_edit", FuzzConfigEdit},   {"rig_file", FuzzRigFile},
    {"sim_requests", FuzzSimRequests}, {"command_line", FuzzCommandLine},
};

}  // namespace tarvex::fuzz
