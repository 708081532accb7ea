#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::sim {

// One event of the simulator's trace: a request, a sleep or a device open.
struct TraceRecord {
    enum class Type { Request, Sleep, Open };
    Type type = Type::Request;
    uint64_t seq = 0;
    uint64_t tUs = 0;
    // Request
    std::string device;
    uint32_t ioctl = 0;
    uint32_t code = 0;
    std::string kind;       // request kind name, or "unknown"
    uint32_t adapter = 0;   // the adapter the request concerns
    uint32_t result = 0;    // 0 when accepted, else the error number
    bool isEprom = false;
    uint32_t epromAdapter = 0;
    uint32_t epromOffset = 0;
    uint32_t epromDir = 0;  // 0 read, 1 write
    uint32_t epromLen = 0;
    std::vector<uint8_t> epromData;  // bytes written, or bytes read when accepted
    std::vector<uint8_t> envelope;   // raw envelope, when envelopes are traced
    // Sleep
    uint32_t sleepMs = 0;
    // Open
    std::string openName;
    bool openOk = false;
};

}  // namespace tarvex::sim
