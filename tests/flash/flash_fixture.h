#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flash/event_channel.h"
#include "flash/run_state.h"
#include "sim/trace.h"
#include "support/event_recorder.h"
#include "support/rom_images.h"
#include "support/sim_session.h"

namespace tarvex::testing {

// One adapter with this chip on the virtual clock; row 0's chip needs a driver-programming
// adapter model (1C5D:0C31).
sim::Rig ChipRig(const std::string& chip, sim::RigFaults faults = {});

// Rig faults: the chip's, and EPROM reads or writes that fail at an offset.
sim::RigFaults Faults(sim::ChipFaults chip, std::optional<uint32_t> readFailsAt = {},
                      std::optional<uint32_t> writeFailsAt = {});

// The rig's chip starts out holding `bytes` (the rest erased), kept in a file in `dir`; sdp is
// the data protection of a page-write part on delivery.
void StartWithRom(sim::Rig& rig, const std::string& dir, const std::vector<uint8_t>& bytes,
                  bool sdp = true);

// A session with the run state reset and the recording sink installed.
class FlashTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The EPROM requests of a trace, accepted or not.
std::vector<sim::TraceRecord> EpromRequests(const std::vector<sim::TraceRecord>& trace);
// One-byte writes as (offset, value) pairs, for comparing command cycles.
using Cycle = std::pair<uint32_t, uint8_t>;
std::vector<Cycle> ByteWrites(const std::vector<sim::TraceRecord>& trace);
// The reads that end a trace, each expected at `offset`: how long the last poll went on.
size_t TrailingReads(const std::vector<sim::TraceRecord>& trace, uint32_t offset);
uint64_t SleptMs(const std::vector<sim::TraceRecord>& trace);

// The bytes' sum modulo 256, as the option ROM checksum counts it.
uint8_t ByteSum(const uint8_t* bytes, size_t count);
// An image of `length` bytes whose content, as its size byte declares, ends at `content`; the
// rest a zero tail.
std::vector<uint8_t> ImageWithZeroTail(uint32_t length, uint32_t content, uint32_t seed = 1);
// The first recorded event with this code; past the end if none.
size_t IndexOf(uint32_t code);
// Loads the image into the run state as flash from file does.
void LoadRunImage(const std::vector<uint8_t>& image);

}  // namespace tarvex::testing
