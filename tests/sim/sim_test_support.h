#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/byte_order.h"
#include "platform/errors.h"
#include "sim/simulator.h"
#include "support/sim_session.h"
#include "support/temp_dir.h"

namespace tarvex::sim::testing {

using tarvex::testing::MakeRig;
using tarvex::testing::TempDir;

inline constexpr uint32_t Miniport = 0x4D008, Version = 0x03702400, Count = 0x03702404,
                          Info = 0x03702408, Capability = 0x0370244C, List = 0x03702590,
                          Eprom = 0x03702598, Pci = 0x0370259C;

inline std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> bytes;
    for (uint32_t w : words)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(w >> shift));
    return bytes;
}

// An envelope as the wire layout gives it: prefix (9x), 28-byte header, lengths, input, output.
inline std::vector<uint8_t> Envelope(bool nt, uint32_t adapter, uint32_t code,
                                     const std::vector<uint8_t>& input, uint32_t outLen) {
    const auto in = static_cast<uint32_t>(input.size());
    std::vector<uint8_t> e = nt ? Words({28}) : Words({adapter, 28});
    for (char c : std::string("KVR-CTRL")) e.push_back(static_cast<uint8_t>(c));
    for (uint8_t b : Words({10, code, 0, in + outLen + 8, in, outLen})) e.push_back(b);
    e.insert(e.end(), input.begin(), input.end());
    e.resize(e.size() + outLen, 0);
    return e;
}

inline std::vector<uint8_t> EpromWrite(uint32_t adapter, uint32_t offset,
                                       const std::vector<uint8_t>& data) {
    std::vector<uint8_t> in = Words({adapter, offset, 1, uint32_t(data.size())});
    in.insert(in.end(), data.begin(), data.end());
    in.resize((data.size() / 4 + 5) * 4, 0);
    return in;
}

// Adapter 1C5D:0A12, model 7, with the chip and ROM file.
inline RigAdapter Adapter(const std::string& chip = "none", const std::string& rom = "") {
    RigAdapter adapter = tarvex::testing::MakeAdapter(0x1C5D, 0x0A12, chip);
    adapter.romPath = rom;
    return adapter;
}

struct Reply {
    bool ok = false;
    uint32_t error = 0;
    std::vector<uint8_t> output;
};

// A simulator of the rig with one device open, asked as the driver's callers ask it.
struct Bench {
    explicit Bench(const Rig& rig, const std::string& device = "\\\\.\\Scsi0:") {
        std::string error;
        sim = Simulator::Create(rig, error);
        EXPECT_TRUE(sim) << error;
        handle = sim ? sim->OpenDevice(device) : platform::NoHandle;
    }
    // One well-formed request of the rig's host family, on the open device unless `on` says.
    Reply Ask(uint32_t adapter, uint32_t code, const std::vector<uint8_t>& input, uint32_t outLen,
              platform::Handle on = 0) {
        const bool nt = sim->GetRig().host.nt;
        std::vector<uint8_t> e = Envelope(nt, adapter, code, input, outLen);
        platform::SetLastError(0);
        const bool ok = sim->DeviceControl(on ? on : handle, nt ? Miniport : code, e.data(),
                                           uint32_t(e.size()));
        return {ok, platform::GetLastError(), {e.end() - outLen, e.end()}};
    }
    Reply Read(uint32_t offset, uint32_t length, uint32_t adapter = 0, platform::Handle on = 0) {
        return Ask(adapter, Eprom, Words({adapter, offset, 0, length}), length, on);
    }
    Reply Write(uint32_t offset, const std::vector<uint8_t>& data, uint32_t adapter = 0) {
        return Ask(adapter, Eprom, EpromWrite(adapter, offset, data), 0);
    }
    std::shared_ptr<Simulator> sim;
    platform::Handle handle = platform::NoHandle;
};

}  // namespace tarvex::sim::testing
