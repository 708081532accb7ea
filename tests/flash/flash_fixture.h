#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "flash/event_channel.h"
#include "flash/run_state.h"
#include "flash/scan_guard.h"
#include "sim/trace.h"
#include "support/event_recorder.h"
#include "support/rom_images.h"
#include "support/test_files.h"

namespace tarvex::testing {

using Faults = sim::RigFaults;

// One adapter with this chip; row 0's chip needs a driver-programming adapter model (0C31).
inline sim::Rig ChipRig(const std::string& chip, sim::RigFaults faults = {}) {
    return OneAdapterRig(chip == "ATMEL FLASH" ? 0x0C31 : 0x0A12, chip, std::move(faults));
}

// The rig's chip starts out holding `bytes` (the rest erased), kept in a file in `dir`; sdp is
// the data protection of a page-write part on delivery.
inline void StartWithRom(sim::Rig& rig, const std::string& dir, const std::vector<uint8_t>& bytes,
                         bool sdp = true) {
    sim::RigAdapter& adapter = rig.adapters[0];
    adapter.romPath = WriteFile(dir + "/adapter.rom", bytes);
    adapter.sdp = sdp;
    std::filesystem::remove(adapter.romPath + ".sdp");
}

// A session with the run state reset and the recording sink installed.
class FlashTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFlashRunState();
        ForgetScanChanges();
        RecordedEvents().clear();
        SetEventSink(RecordEvent);
    }
    void TearDown() override { ResetFlashRunState(); }
};

// The EPROM requests of a trace, accepted or not.
inline std::vector<sim::TraceRecord> EpromRequests(const std::vector<sim::TraceRecord>& trace) {
    std::vector<sim::TraceRecord> requests;
    for (const sim::TraceRecord& record : trace)
        if (record.type == sim::TraceRecord::Type::Request && record.isEprom)
            requests.push_back(record);
    return requests;
}

// One-byte writes as (offset, value) pairs, for comparing command cycles.
using Cycle = std::pair<uint32_t, uint8_t>;
inline std::vector<Cycle> ByteWrites(const std::vector<sim::TraceRecord>& trace) {
    std::vector<Cycle> writes;
    for (const sim::TraceRecord& record : EpromRequests(trace))
        if (record.epromDir == 1 && record.epromLen == 1 && !record.epromData.empty())
            writes.emplace_back(record.epromOffset, record.epromData[0]);
    return writes;
}

// The reads that end a trace, each expected at `offset`: how long the last poll went on.
inline size_t TrailingReads(const std::vector<sim::TraceRecord>& trace, uint32_t offset) {
    const auto requests = EpromRequests(trace);
    size_t reads = 0;
    for (auto r = requests.rbegin(); r != requests.rend() && r->epromDir == 0; ++r, ++reads)
        EXPECT_EQ(r->epromOffset, offset);
    return reads;
}

inline uint64_t SleptMs(const std::vector<sim::TraceRecord>& trace) {
    uint64_t total = 0;
    for (const sim::TraceRecord& record : trace)
        if (record.type == sim::TraceRecord::Type::Sleep) total += record.sleepMs;
    return total;
}

// The bytes' sum modulo 256, as the option ROM checksum counts it.
inline uint8_t ByteSum(const uint8_t* bytes, size_t count) {
    uint8_t sum = 0;
    for (size_t i = 0; i < count; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum;
}

// An image of `length` bytes whose content, as its size byte declares, ends at `content`; the
// rest a zero tail.
inline std::vector<uint8_t> ImageWithZeroTail(uint32_t length, uint32_t content,
                                              uint32_t seed = 1) {
    std::vector<uint8_t> image = TestImage(content, seed);
    image[2] = static_cast<uint8_t>(content / 512);
    image.resize(length, 0);
    return image;
}

// The first recorded event with this code; past the end if none.
inline size_t IndexOf(uint32_t code) {
    const auto& events = RecordedEvents();
    size_t i = 0;
    while (i < events.size() && events[i].code != code) ++i;
    return i;
}

// Loads the image into the run state as flash from file does.
inline void LoadRunImage(const std::vector<uint8_t>& image) {
    FlashRunState& run = CurrentFlashRunState();
    run.image = std::make_unique<uint8_t[]>(image.size());
    std::copy(image.begin(), image.end(), run.image.get());
    run.imageLength = static_cast<int32_t>(image.size());
}

}  // namespace tarvex::testing
