#include <gtest/gtest.h>

#include <vector>

#include "driver/control_codes.h"
#include "flash/data_poll.h"
#include "flash/program_routines.h"
#include "flash/run_state.h"
#include "flash_fixture.h"

namespace tarvex {
namespace {

using namespace testing;

class Program : public FlashTest {};

// Start offsets of the data written behind each program prefix (AA 55 A0 on 5555/2AAA).
std::vector<uint32_t> PageStarts(const std::vector<Cycle>& writes) {
    std::vector<uint32_t> starts;
    for (size_t i = 0; i + 1 < writes.size(); ++i)
        if (writes[i] == Cycle(0x5555, 0xA0)) starts.push_back(writes[i + 1].first);
    return starts;
}

TEST_F(Program, PagesGoFromTheTopDownAfterTheOneByteWrite) {
    SimSession session(ChipRig("WINBOND W29C040"));
    const std::vector<uint8_t> image = TestImage(1024);
    EXPECT_EQ(ProgramPages256(0, image.data(), 1024), 1);
    const auto writes = ByteWrites(session.Trace());
    EXPECT_EQ(PageStarts(writes), (std::vector<uint32_t>{0, 768, 512, 256, 0}));
    EXPECT_EQ(writes[3], Cycle(0, 0xFF));
    EXPECT_EQ(writes.size(), 4u + 4u * (3u + 256u));
    // The opening byte's write cycle is polled to its end before the first page.
    const auto requests = EpromRequests(session.Trace());
    ASSERT_GT(requests.size(), 5u);
    EXPECT_EQ(requests[4].epromDir, 0u);
    EXPECT_EQ(requests[4].epromOffset, 0u);
    size_t next = 4;
    while (next < requests.size() && requests[next].epromDir == 0) {
        EXPECT_EQ(requests[next].epromOffset, 0u);
        ++next;
    }
    ASSERT_LT(next, requests.size());
    EXPECT_EQ(requests[next].epromOffset, 0x5555u);
    EXPECT_EQ(ValuesOf(EventFlashProgress), (std::vector<int32_t>{25, 50, 75, 100}));
    EXPECT_EQ(TextsOf(EventFlashing), (std::vector<std::string>{"Flashing ....\n"}));
    EXPECT_EQ(SleptMs(session.Trace()), 50u);
}

TEST_F(Program, TopPageBeyondTheImageIsFilledWithErasedBytes) {
    SimSession session(ChipRig("SST 29EE010"));
    const std::vector<uint8_t> image = TestImage(1000);  // exactly sized: no read past its end
    EXPECT_EQ(ProgramPages128(0, image.data(), 1000), 1);
    const auto writes = ByteWrites(session.Trace());
    const auto starts = PageStarts(writes);
    ASSERT_EQ(starts.size(), 1u + 8u);
    EXPECT_EQ(starts[1], 896u);
    EXPECT_EQ(starts.back(), 0u);
    const auto rom = session.Sim().ChipContents(0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rom.begin()));
    for (uint32_t offset = 1000; offset < 1024; ++offset) EXPECT_EQ(rom[offset], 0xFF);
    EXPECT_EQ(ValuesOf(EventFlashProgress).front(),
              10);  // (100000 - 89600) / 1000
}

TEST_F(Program, PageThatNeverReadsBackRetriesSixteenTimesThenGoesOn) {
    SimSession session(ChipRig("ATMEL AT29C010A", {.chip = {.weakCells = {{0x105, 0x00}}}}));
    std::vector<uint8_t> image(512, 0xA5);
    EXPECT_EQ(ProgramPages128(0, image.data(), 512), 1);
    std::vector<std::string> expected;
    for (int attempt = 0; attempt < 16; ++attempt)
        expected.push_back("Update " + std::to_string(attempt) + " time failed, retry again.\n");
    EXPECT_EQ(TextsOf(EventText), expected);
    EXPECT_EQ(PageStarts(ByteWrites(session.Trace())).size(), 1u + 3u + 16u);
    EXPECT_EQ(ValuesOf(EventFlashProgress), (std::vector<int32_t>{25, 50, 75, 100}));
    EXPECT_EQ(CurrentFlashRunState().status, StatusOk);
}

TEST_F(Program, DriverChipGetsBlocksBetweenTheControlWrites) {
    SimSession session(ChipRig("ATMEL FLASH"));
    const std::vector<uint8_t> image = TestImage(65536);
    EXPECT_EQ(ProgramViaDriver(0, image.data(), 65536), 1);
    const auto requests = EpromRequests(session.Trace());
    ASSERT_EQ(requests.size(), 130u);
    EXPECT_EQ(requests.front().epromOffset, FlashControlOffset);
    EXPECT_EQ(requests.front().epromData, std::vector<uint8_t>{0x0F});
    EXPECT_EQ(requests.back().epromOffset, FlashControlOffset);
    EXPECT_EQ(requests.back().epromData, std::vector<uint8_t>{0x00});
    EXPECT_EQ(requests[128].epromOffset, 65024u);
    const auto progress = ValuesOf(EventFlashProgress);
    ASSERT_EQ(progress.size(), 128u);
    EXPECT_EQ((std::vector<int32_t>(progress.begin(), progress.begin() + 4)),
              (std::vector<int32_t>{0, 0, 1, 2}));
    EXPECT_EQ(progress.back(), 99);
    EXPECT_EQ(session.Sim().ChipContents(0).size(), 131072u);

    session.Sim().ClearCapturedTrace();
    EXPECT_EQ(ProgramViaDriver(0, image.data(), 1000), 1);
    const auto small = EpromRequests(session.Trace());
    ASSERT_EQ(small.size(), 4u);
    EXPECT_EQ(small[1].epromLen, 512u);
    EXPECT_EQ(small[2].epromOffset, 512u);
    EXPECT_EQ(small[2].epromLen, 488u);
}

TEST_F(Program, BytesAreErasedThenProgrammedFromTheLastDown) {
    SimSession session(ChipRig("SST 39SF010A"));
    const std::vector<uint8_t> image = TestImage(300);
    EXPECT_EQ(EraseProgramBytes(0, image.data(), 300), 1);
    const auto writes = ByteWrites(session.Trace());
    const std::vector<Cycle> erase = {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80},
                                      {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x10}};
    ASSERT_EQ(writes.size(), 6u + 4u * 300u);
    EXPECT_TRUE(std::equal(erase.begin(), erase.end(), writes.begin()));
    EXPECT_EQ(writes[9], Cycle(299, image[299]));
    EXPECT_EQ(writes.back(), Cycle(0, image[0]));
    const auto progress = ValuesOf(EventFlashProgress);
    ASSERT_EQ(progress.size(), 300u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress[2], 1);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(TextsOf(EventErasing), (std::vector<std::string>{"Erasing....\n"}));
    EXPECT_EQ(TextsOf(EventFlashing), (std::vector<std::string>{"Flashing....\n"}));
}

TEST_F(Program, ProtectedSectorStopsTheShortSetBeforeTheErase) {
    SimSession session(ChipRig("AMD29F010", {.chip = {.protectedSectors = {0x4000}}}));
    const std::vector<uint8_t> image = TestImage(1024);
    EXPECT_EQ(EraseProgramBytesShort(0, image.data(), 1024), 0);
    EXPECT_EQ(CurrentFlashRunState().status, StatusProtected);
    // Without an identified chip its sector is not known: the code's offset names it.
    EXPECT_EQ(TextsOf(EventText),
              (std::vector<std::string>{
                  "The flash sector is protected!\n",
                  "Sector at 0x4002 is protected; nothing was erased or written.\n"}));
    EXPECT_TRUE(TextsOf(EventErasing).empty());
    std::vector<uint32_t> reads;
    for (const auto& request : EpromRequests(session.Trace()))
        if (request.epromDir == 0) reads.push_back(request.epromOffset);
    EXPECT_EQ(reads, (std::vector<uint32_t>{0x0002, 0x4002}));
    EXPECT_EQ(ByteWrites(session.Trace()),
              (std::vector<Cycle>{{0x555, 0xAA}, {0x2AA, 0x55}, {0x555, 0x90}, {0x555, 0xF0}}));
}

TEST_F(Program, ShortSetSendsItsOwnPrefixBeforeEveryDataByte) {
    SimSession session(ChipRig("AMD29F010"));
    const std::vector<uint8_t> image = {0x55, 0xAA};
    EXPECT_EQ(EraseProgramBytesShort(0, image.data(), 2), 1);
    const auto writes = ByteWrites(session.Trace());
    // Autoselect entry and reset and the six erase cycles, then four cycles a byte.
    ASSERT_EQ(writes.size(), 4u + 6u + 8u);
    EXPECT_EQ(std::vector<Cycle>(writes.begin() + 10, writes.end()),
              (std::vector<Cycle>{{0x555, 0xAA},
                                  {0x2AA, 0x55},
                                  {0x555, 0xA0},
                                  {1, 0xAA},
                                  {0x555, 0xAA},
                                  {0x2AA, 0x55},
                                  {0x555, 0xA0},
                                  {0, 0x55}}));
}

TEST_F(Program, ShortSetEraseThatNeverCompletesFailsAfterTwoPolls) {
    SimSession session(ChipRig("AMD29F040", {.chip = {.eraseHangs = true}}));
    const std::vector<uint8_t> image = TestImage(256);
    EXPECT_EQ(EraseProgramBytesShort(0, image.data(), 256), 0);
    EXPECT_EQ(ByteWrites(session.Trace()).back(), Cycle(0x555, 0x10));
    EXPECT_EQ(TrailingReads(session.Trace(), 0), 2 * DataPollReadLimit);
    EXPECT_EQ(TextsOf(EventText), std::vector<std::string>{"Failed to erasing\n"});
}

TEST_F(Program, CompareRangeStopsReadingAtTheFirstDifference) {
    SimSession session(ChipRig("SST 39SF010A"));
    std::vector<uint8_t> expected(100, 0xFF);
    EXPECT_EQ(CompareRange(0, 0, expected.data(), 100), 1);
    EXPECT_EQ(EpromRequests(session.Trace()).size(), 100u);
    session.Sim().ClearCapturedTrace();
    expected[10] = 0x00;
    EXPECT_EQ(CompareRange(0, 0, expected.data(), 100), 0);
    EXPECT_EQ(EpromRequests(session.Trace()).size(), 11u);
}

}  // namespace
}  // namespace tarvex
