#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "driver/control_codes.h"
#include "driver/discovery.h"
#include "flash/chip_catalogue.h"
#include "flash/command_sequences.h"
#include "flash/data_poll.h"
#include "flash/eprom_access.h"
#include "flash/identify.h"
#include "flash/program_routines.h"
#include "flash_fixture.h"
#include "sim/chips/part_facts.h"

namespace tarvex {
namespace {

using namespace testing;

class Catalogue : public FlashTest {};

sim::ChipFamily FamilyOf(ProgramRoutine program) {
    if (program == ProgramViaDriver) return sim::ChipFamily::DriverProgrammed;
    if (program == EraseProgramBytes) return sim::ChipFamily::ByteProgram;
    if (program == EraseProgramBytesShort) return sim::ChipFamily::ShortSet;
    return sim::ChipFamily::PageWrite;
}

uint8_t EntryOf(IdentifyRoutine identify) {
    if (identify == IdentifySixCycle) return sim::IdEntrySixCycle;
    if (identify == IdentifyThreeCycle) return sim::IdEntryThreeCycle;
    return identify == IdentifyAutoselect ? sim::IdEntryAutoselect : 0;
}

// Sector sizes from offset 0 to the end of the part.
std::vector<uint32_t> SectorsOf(const FlashChipEntry& row) {
    std::vector<uint32_t> sizes;
    for (RomRegion s = SectorAt(row, 0); s.size != 0; s = SectorAt(row, s.start + s.size))
        sizes.push_back(s.size);
    return sizes;
}
std::vector<uint32_t> SectorsOf(const sim::PartFacts& part) {
    if (!part.sectors.empty()) return {part.sectors.begin(), part.sectors.end()};
    return std::vector<uint32_t>(part.size / part.uniformSector, part.uniformSector);
}

// The catalogue and the simulator's part table are each written from the datasheets; every
// row holds the facts of the part the simulator models under its name.
TEST_F(Catalogue, EveryRowAgreesWithTheSimulatorsPartFacts) {
    std::set<uint16_t> ids;
    for (const FlashChipEntry& row : FlashChipTable) {
        SCOPED_TRACE(row.name);
        const sim::PartFacts* part = sim::FindPart(row.name);
        ASSERT_NE(part, nullptr);
        ids.insert(static_cast<uint16_t>(row.id));
        EXPECT_EQ(row.id, part->id);
        EXPECT_EQ(FamilyOf(row.program), part->family);
        EXPECT_EQ(part->idEntries & EntryOf(row.identify), EntryOf(row.identify));
        EXPECT_EQ(PageSizeOf(row), part->family == sim::ChipFamily::PageWrite ? part->pageSize : 0);
        EXPECT_EQ(row.busyLimitUs,
                  std::max(part->times.program.maxUs, part->times.chipErase.maxUs));
        if (row.capacity == 0) continue;  // the driver's own part
        EXPECT_EQ(row.capacity, part->size);
        EXPECT_EQ(SectorsOf(row), SectorsOf(*part));
        EXPECT_EQ(row.bootBlocks.low, part->bootBlockLow);
        EXPECT_EQ(row.bootBlocks.high, part->bootBlockHigh);
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(FlashChipCount));
    EXPECT_EQ(sim::PartTable().size(), ids.size());
}

TEST_F(Catalogue, EveryRowsChipIsIdentifiedAtItsOwnRowAndLeftInReadMode) {
    for (int32_t row = 0; row < FlashChipCount; ++row) {
        const std::string name = FlashChipTable[row].name;
        SCOPED_TRACE(name);
        SimSession session(ChipRig(name));
        const std::vector<uint8_t> before = session.Sim().ChipContents(0);
        EXPECT_EQ(IdentifyFlashChip(0), row);
        EXPECT_EQ(FlashChipId(0), static_cast<uint16_t>(FlashChipTable[row].id));
        EXPECT_STREQ(FlashChipName(0), name.c_str());
        // Back in read mode: offsets 0 and 1 read the array, not the ids.
        if (row != 0) {
            EXPECT_EQ(ReadEpromWord(0, 0), before[0] | (before[1] << 8));
        }
    }
}

// Only adapter models 0C31 to 0C34 are asked for the driver's chip, at the control location;
// elsewhere, or when it is not there, the scan goes on with row 1.
TEST_F(Catalogue, DriverProgrammedRowIsReadOnlyOnItsFourAdapterModels) {
    const struct {
        uint16_t device;
        const char* chip;
        int32_t row;
        size_t controlReads;
    } cases[] = {{0x0C30, "ATMEL FLASH", -1, 0},
                 {0x0C31, "ATMEL FLASH", 0, 1},
                 {0x0C34, "ATMEL FLASH", 0, 1},
                 {0x0C35, "ATMEL FLASH", -1, 0},
                 {0x0C31, "WINBOND W29C020C", 3, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.device) + " " + c.chip);
        SimSession session(MakeRig({MakeAdapter(0x1C5D, c.device, c.chip)}));
        EXPECT_EQ(IdentifyFlashChip(0), c.row);
        const auto requests = EpromRequests(session.Trace());
        EXPECT_EQ(std::count_if(requests.begin(), requests.end(),
                                [](const auto& r) { return r.epromOffset == FlashControlOffset; }),
                  static_cast<std::ptrdiff_t>(c.controlReads));
        if (c.row == 0) {
            EXPECT_TRUE(requests.size() == 1 && requests[0].epromLen == 2);
        }
        if (c.row == -1) {
            EXPECT_EQ(ByteWrites(session.Trace()).at(0), Cycle(0x5555, 0xAA));
        }
    }
}

TEST_F(Catalogue, ScanThatMatchesNothingCostsTheWholeTable) {
    SimSession session(ChipRig("none"));
    EXPECT_EQ(IdentifyFlashChip(0), -1);
    EXPECT_STREQ(FlashChipName(0), UnknownChipName);
    EXPECT_EQ(FlashChipId(0), UnknownChipId);

    session.Sim().ClearCapturedTrace();
    const uint64_t start = session.Sim().Clock().NowUs();
    const uint64_t requestsBefore = session.Sim().RequestCount();
    EXPECT_EQ(IdentifyFlashChip(0), -1);
    const auto requests = session.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].kind, "pci_identity");
    // The scan's own requests, and a read of the four blocks under its command writes before
    // and after it.
    EXPECT_EQ(session.Sim().RequestCount() - requestsBefore, 236u + 8u);
    EXPECT_EQ(SleptMs(session.Trace()), 530u);
    EXPECT_GE(session.Sim().Clock().NowUs() - start, 530000u);

    // Row 1's three-cycle entry comes first, the last row ends with the autoselect reset.
    const auto writes = ByteWrites(session.Trace());
    ASSERT_GE(writes.size(), 3u);
    EXPECT_EQ(writes[0], Cycle(0x5555, 0xAA));
    EXPECT_EQ(writes[1], Cycle(0x2AAA, 0x55));
    EXPECT_EQ(writes[2], Cycle(0x5555, 0x90));
    EXPECT_EQ(writes.back(), Cycle(0x555, 0xF0));
}

TEST_F(Catalogue, ChipsFoundOnlyByTheirOwnMethod) {
    // Older W29EE011 steppings answer only the six-cycle entry.
    SimSession session(ChipRig("WINBOND W29EE011/W29C011A"));
    EXPECT_EQ(IdentifyFlashChip(0), 2);
    const std::vector<Cycle> sixCycle = {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80},
                                         {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x60}};
    const auto writes = ByteWrites(session.Trace());
    ASSERT_EQ(writes.size(), 3u + 3u + 6u + 3u);
    EXPECT_TRUE(std::equal(sixCycle.begin(), sixCycle.end(), writes.begin() + 6));
    EXPECT_EQ(SleptMs(session.Trace()), 30u);
}

TEST_F(Catalogue, DataPollComparesBitSevenOnlyAndGivesUpAfterTheLimit) {
    SimSession session(ChipRig(
        "SST 39SF010A", {.chip = {.weakCells = {{0x10, 0x00}, {0x20, 0x7F}, {0x30, 0x80}}}}));
    ASSERT_TRUE(EnsureDriverLink());
    const uint64_t before = session.Sim().RequestCount();
    EXPECT_EQ(DataPoll(0, 0x10, 0x7F), 1);
    EXPECT_EQ(DataPoll(0, 0x30, 0xFF), 1);
    EXPECT_EQ(session.Sim().RequestCount() - before, 2u);
    EXPECT_EQ(DataPoll(0, 0x20, 0xFF), 0);
    EXPECT_EQ(session.Sim().RequestCount() - before, 2u + DataPollReadLimit);
}

TEST_F(Catalogue, DataPollGoesOnPastItsReadsUntilThePartsTimeHasPassed) {
    // Never shows bit 7 set.
    SimSession session(ChipRig("SST 39SF010A", {.chip = {.weakCells = {{0x20, 0x7F}}}}));
    ASSERT_TRUE(EnsureDriverLink());
    constexpr uint64_t LimitUs = 5000000;  // 5 s, more than 100000 reads at 20 us
    SetDataPollTimeLimit(LimitUs);
    session.Sim().ClearCapturedTrace();
    const uint64_t start = session.Sim().Clock().NowUs();
    EXPECT_EQ(DataPoll(0, 0x20, 0xFF), 0);
    SetDataPollTimeLimit(0);
    const uint64_t elapsed = session.Sim().Clock().NowUs() - start;
    EXPECT_GE(elapsed, LimitUs);
    EXPECT_LT(elapsed, LimitUs + (DataPollPauseMs * 1000 + 20) * 2);
    // The first reads come back to back; each later one after a pause.
    const auto& trace = session.Trace();
    size_t reads = 0, pausedReads = 0;
    for (size_t i = 0; i < trace.size(); ++i) {
        if (trace[i].type != sim::TraceRecord::Type::Request) continue;
        ++reads;
        const bool paused = i > 0 && trace[i - 1].type == sim::TraceRecord::Type::Sleep;
        EXPECT_EQ(paused, reads > DataPollReadLimit) << reads;
        pausedReads += paused ? 1 : 0;
    }
    // 100000 reads take 2 s; the other 3 s go by 1 ms and one read at a time.
    EXPECT_EQ(pausedReads, (LimitUs - DataPollReadLimit * 20 + 1019) / 1020);
}

}  // namespace
}  // namespace tarvex
