#include "flash_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>

#include "flash/scan_guard.h"

namespace tarvex::testing {

sim::Rig ChipRig(const std::string& chip, sim::RigFaults faults) {
    const bool driverProgrammed = chip == "ATMEL FLASH";
    sim::RigAdapter adapter = MakeAdapter(0x1C5D, driverProgrammed ? 0x0C31 : 0x0A12, chip);
    adapter.faults = std::move(faults);
    return MakeRig({adapter});
}

sim::RigFaults Faults(sim::ChipFaults chip, std::optional<uint32_t> readFailsAt,
                      std::optional<uint32_t> writeFailsAt) {
    sim::RigFaults faults;
    faults.chip = std::move(chip);
    faults.readFailsAt = readFailsAt;
    faults.writeFailsAt = writeFailsAt;
    return faults;
}

void StartWithRom(sim::Rig& rig, const std::string& dir, const std::vector<uint8_t>& bytes,
                  bool sdp) {
    sim::RigAdapter& adapter = rig.adapters[0];
    adapter.romPath = dir + "/adapter.rom";
    adapter.sdp = sdp;
    std::remove((adapter.romPath + ".sdp").c_str());
    std::ofstream(adapter.romPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void FlashTest::SetUp() {
    ResetFlashRunState();
    ForgetScanChanges();
    RecordedEvents().clear();
    SetEventSink(RecordEvent);
}

void FlashTest::TearDown() { ResetFlashRunState(); }

std::vector<sim::TraceRecord> EpromRequests(const std::vector<sim::TraceRecord>& trace) {
    std::vector<sim::TraceRecord> requests;
    for (const sim::TraceRecord& record : trace)
        if (record.type == sim::TraceRecord::Type::Request && record.isEprom)
            requests.push_back(record);
    return requests;
}

std::vector<Cycle> ByteWrites(const std::vector<sim::TraceRecord>& trace) {
    std::vector<Cycle> writes;
    for (const sim::TraceRecord& record : EpromRequests(trace))
        if (record.epromDir == 1 && record.epromLen == 1 && !record.epromData.empty())
            writes.emplace_back(record.epromOffset, record.epromData[0]);
    return writes;
}

size_t TrailingReads(const std::vector<sim::TraceRecord>& trace, uint32_t offset) {
    const auto requests = EpromRequests(trace);
    size_t reads = 0;
    for (auto r = requests.rbegin(); r != requests.rend() && r->epromDir == 0; ++r, ++reads)
        EXPECT_EQ(r->epromOffset, offset);
    return reads;
}

uint64_t SleptMs(const std::vector<sim::TraceRecord>& trace) {
    uint64_t total = 0;
    for (const sim::TraceRecord& record : trace)
        if (record.type == sim::TraceRecord::Type::Sleep) total += record.sleepMs;
    return total;
}

uint8_t ByteSum(const uint8_t* bytes, size_t count) {
    uint8_t sum = 0;
    for (size_t i = 0; i < count; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum;
}

std::vector<uint8_t> ImageWithZeroTail(uint32_t length, uint32_t content, uint32_t seed) {
    std::vector<uint8_t> image = TestImage(content, seed);
    image[2] = static_cast<uint8_t>(content / 512);
    image.resize(length, 0);
    return image;
}

size_t IndexOf(uint32_t code) {
    const auto& events = RecordedEvents();
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i].code == code) return i;
    return events.size();
}

void LoadRunImage(const std::vector<uint8_t>& image) {
    FlashRunState& run = CurrentFlashRunState();
    run.image.reset(new uint8_t[image.size()]);
    if (!image.empty()) std::memcpy(run.image.get(), image.data(), image.size());
    run.imageLength = static_cast<int32_t>(image.size());
}

}  // namespace tarvex::testing
