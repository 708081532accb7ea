#include "image/rom_backup.h"

#include <sys/stat.h>

#include "driver/rom_size.h"
#include "image/image_fixture.h"

namespace tarvex::testing {
namespace {

using BackupTest = ImageTest;

// Over an earlier file; a new one is the owner's alone (replacing keeps a file's own mode).
TEST_F(BackupTest, CopiesTheWholeRomOfEitherSizeInAscendingBlocks) {
    // The chip (128 KiB) holds a pattern, so that the backup's bytes can be told apart.
    std::vector<uint8_t> rom(131072);
    for (uint32_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<uint8_t>(i * 7 + (i >> 9));
    for (const auto& [device, size] :
         {std::pair<uint16_t, uint32_t>{0x0A12, 65536}, {0x0C32, 131072}}) {
        RecordedEvents().clear();
        sim::Rig rig = OneAdapterRig(device);
        rig.adapters[0].romPath = WriteFile(m_dir.Path("chip.rom"), rom);
        SimSession session(rig);
        SetEventSink(RecordEvent);
        const std::string path = WriteFile(m_dir.Path("backup.bin"), {1, 2, 3});
        EXPECT_EQ(BackupRom(0, path.c_str()), StatusOk);
        EXPECT_EQ(RomSize, static_cast<int32_t>(size));
        EXPECT_EQ(ReadFile(path), std::vector(rom.begin(), rom.begin() + size));
        std::vector<sim::TraceRecord> reads = session.Requests();
        std::erase_if(reads, [](const sim::TraceRecord& r) { return !r.isEprom; });
        ASSERT_EQ(reads.size(), size / 512);
        for (size_t i = 0; i < reads.size(); ++i)
            EXPECT_EQ(std::tuple(reads[i].epromDir, reads[i].epromLen, reads[i].epromOffset),
                      std::tuple(0u, 512u, i * 512))
                << i;
        EXPECT_EQ(EventTexts(), (std::vector<std::string>{"Backup BIOS, Please wait......", "\n",
                                                          "Backup BIOS Success!\n\n"}));
#ifndef _WIN32
        const std::string fresh = m_dir.Path("fresh" + std::to_string(size));
        EXPECT_EQ(BackupRom(0, fresh.c_str()), StatusOk);
        struct stat info {};
        EXPECT_EQ(::stat(fresh.c_str(), &info) == 0 ? info.st_mode & 0777 : 0, 0600u);
#endif
    }
}

}  // namespace
}  // namespace tarvex::testing
