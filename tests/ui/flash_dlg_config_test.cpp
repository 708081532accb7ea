// Config of the main window: the file it reads, its checks, the buffer it keeps, and end to end
// an edit kept in the temporary file that Flash then programs.
#include "config/config_state.h"
#include "driver/rom_size.h"
#include "test_images.h"
#include "ui/config_dlg.h"
#include "ui/templates/control_ids.h"
#include "ui/window_state.h"
#include "ui_test_support.h"

namespace tarvex::testing {
namespace {

class FlashDlgConfigTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(Start(OneAdapterRig(0x0A12)));
    }
    // Config on the file; true when the configuration dialog opened.
    bool ConfigOn(const std::vector<uint8_t>& bytes,
                  const std::function<void(DialogSurface&)>& script = {}) {
        Open(bytes);
        return RunConfig(*window, script);
    }
    static std::function<void(DialogSurface&)> ExpectRow1(const char* text) {
        return [text](DialogSurface& dialog) {
            EXPECT_EQ(dialog.ItemText(ConfigRowNumberIds[1]), text);
        };
    }

    std::vector<uint8_t> valid = MakeThreeEntryImage(0x1C5D, 0x0A12);
};

TEST_F(FlashDlgConfigTest, RejectedFilesGiveTheirMessageAndLeaveNoBuffer) {
    std::vector<uint8_t> reversed = valid;
    std::swap(reversed[0], reversed[1]);
    std::vector<uint8_t> pciOutside = valid;
    pciOutside[0x18] = 0xFC;  // 0x7FFC + 4 reaches the end of the 32 KiB file
    pciOutside[0x19] = 0x7F;
    // Too short, no signature, the identity outside: the window's own checks, then the image's.
    const std::vector<uint8_t> cases[] = {{0x55, 0xAA, 0x01}, reversed, pciOutside};
    for (const auto& bytes : cases) {
        prompter.messages.clear();
        g_imageBuffer = std::make_unique<uint8_t[]>(1);
        EXPECT_FALSE(ConfigOn(bytes));
        EXPECT_EQ(
            prompter.messages,
            (Messages{{"Invalid BIOS image", "Error", MessageIcon::Error, &window->Surface()}}));
        EXPECT_FALSE(g_imageBuffer);
        EXPECT_EQ(g_imageSize, static_cast<int32_t>(bytes.size()));
    }
}

// A file that Config reads, whether it takes it or not, never changes the ROM size a flash
// writes.
TEST_F(FlashDlgConfigTest, LargeFilesLeaveTheFlashBufferAlone) {
    EXPECT_FALSE(ConfigOn(std::vector<uint8_t>(256 * 1024, 0)));
    EXPECT_EQ(RomSize, DefaultRomSize);
    std::vector<uint8_t> large = MakeThreeEntryImage(0x1C5D, 0x0A12);
    large.resize(256 * 1024, 0);
    EXPECT_TRUE(ConfigOn(large));
    EXPECT_EQ(RomSize, DefaultRomSize);
}

TEST_F(FlashDlgConfigTest, UnopenableFileKeepsTheEarlierBuffer) {
    ASSERT_TRUE(ConfigOn(valid));
    ASSERT_TRUE(g_imageBuffer);
    EXPECT_EQ(g_imageSize, 32768);
    const uint8_t* held = g_imageBuffer.get();
    // A missing file, and a folder, which opens here but is no file to read.
    for (const std::string& path : {dir / "missing.rom", dir.Root().string()}) {
        prompter.messages.clear();
        prompter.openPaths = {path};
        window->OnOpen();
        EXPECT_FALSE(RunConfig(*window));
        EXPECT_EQ(prompter.messages,
                  (Messages{{"Cannot open the BIOS Image file.", "Error", MessageIcon::Error}}));
        EXPECT_EQ(g_imageBuffer.get(), held);
        EXPECT_EQ(g_imageSize, 32768);
    }
}

TEST_F(FlashDlgConfigTest, EditKeptInTheTemporaryFileIsWhatFlashProgramsUntilThePathChanges) {
    ASSERT_TRUE(ConfigOn(valid, [](DialogSurface& dialog) {
        EXPECT_EQ(dialog.ItemText(ConfigRowNumberIds[1]), "5");
        dialog.TypeText(ConfigRowNumberIds[1], "9");
        dialog.Click(IdcOk);
    }));
    EXPECT_EQ(prompter.messages, (Messages{{"Do you want to save the configuration file?",
                                            "Question", MessageIcon::Question}}));
    EXPECT_EQ(g_useTempImage, 1);
    const std::vector<uint8_t> edited = ReadFile(g_tempImagePath);
    ASSERT_EQ(edited.size(), valid.size());
    EXPECT_EQ(edited[g_configEntries[1].location], 9);
    EXPECT_EQ(SumOf(edited, edited.size()), 0);
    EXPECT_EQ(ReadFile(dir / "image.rom"), valid);

    // A second Config starts from the kept edit; Flash programs it.
    EXPECT_TRUE(RunConfig(*window, ExpectRow1("9")));
    window->OnFlash();
    EXPECT_EQ(prompter.messages.back().text, "Successful!");
    const std::vector<uint8_t> rom = session->Sim().ChipContents(0);
    EXPECT_TRUE(std::equal(edited.begin(), edited.end(), rom.begin()));

    // Choosing the same file again returns Config to the unedited file.
    EXPECT_TRUE(ConfigOn(valid, ExpectRow1("5")));
    EXPECT_EQ(g_useTempImage, 0);
}

}  // namespace
}  // namespace tarvex::testing
