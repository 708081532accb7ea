// Open, Flash!, Backup and the progress sink of the main window.
#include "flash/event_channel.h"
#include "test_images.h"
#include "ui/flash_progress_sink.h"
#include "ui/templates/control_ids.h"
#include "ui/window_state.h"
#include "ui_test_support.h"

namespace tarvex::testing {
namespace {

using Texts = std::vector<std::string>;

class FlashCommandsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(Start(OneAdapterRig(0x0A12)));
        shown.clear();
    }
    std::vector<uint8_t> OpenImage(uint16_t device, size_t size) {
        std::vector<uint8_t> image = MakeRomImage(0x1C5D, device, size);
        FixSum(image);
        Open(image);
        return image;
    }
    Messages Outcome(bool success) const {
        if (success)
            return {
                {"Successful!", "Congratulation", MessageIcon::Information, &window->Surface()}};
        return {{"Failed!", "Error", MessageIcon::Error, &window->Surface()}};
    }
};

TEST_F(FlashCommandsTest, OpenOrADroppedFileSetsThePathAndCancelEmptiesIt) {
    std::string path = Open(MakeRomImage(0x1C5D, 0x0A12, 4096));
    EXPECT_EQ(window->m_editPath.GetWindowText(), path);
    EXPECT_TRUE(window->m_btnFlash.IsWindowEnabled());
    Click(IdcOpen);  // cancelled
    EXPECT_TRUE(window->m_editPath.GetWindowText().empty());
    EXPECT_TRUE(window->m_strPath.empty());
    EXPECT_FALSE(window->m_btnFlash.IsWindowEnabled());
    EXPECT_FALSE(window->m_btnConfig.IsWindowEnabled());

    // A file dropped on the window is taken as Open takes it.
    const std::string dropped = dir / "dropped.rom";
    window->Surface().DropFile(dropped);
    EXPECT_EQ(window->m_editPath.GetWindowText(), dropped);
    EXPECT_EQ(window->m_strPath, dropped);
    EXPECT_TRUE(window->m_btnConfig.IsWindowEnabled());
}

TEST_F(FlashCommandsTest, FlashWithoutPathWarnsAndStartsNothing) {
    uint64_t requests = session->Sim().RequestCount();
    window->OnFlash();
    EXPECT_EQ(prompter.messages,
              (Messages{{"No BOIS Image file!", "Warning", MessageIcon::Warning}}));
    EXPECT_EQ(session->Sim().RequestCount(), requests);
    EXPECT_TRUE(shown.empty());
}

TEST_F(FlashCommandsTest, FlashThatPassesShowsEachPhaseFillsTheBarAndSucceeds) {
    std::vector<uint8_t> image = OpenImage(0x0A12, 32768);
    Click(IdcFlash);
    EXPECT_EQ(prompter.messages, Outcome(true));
    EXPECT_EQ(shown, (Texts{"Loading file...\n", "BIOS code loaded\n",
                            "Vender ID in BIOS image is 0A121C5D\n", "Flash Id: 0xB5BF\n",
                            "EPROM Vendor: SST 39SF010A\n", "Erasing....\n", "Flashing...",
                            "Verifying...", "Passed !\n"}));
    EXPECT_EQ(window->Surface().ProgressPos(IdcProgress), 100);
    EXPECT_EQ(g_status.ShownText(), "Passed !");
    std::vector<uint8_t> rom = session->Sim().ChipContents(0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rom.begin()));
}

TEST_F(FlashCommandsTest, FlashOfAnotherAdaptersImageFailsAndKeepsItsLastText) {
    std::vector<uint8_t> rom = session->Sim().ChipContents(0);
    OpenImage(0x0B22, 4096);
    Click(IdcFlash);
    EXPECT_EQ(prompter.messages, Outcome(false));
    EXPECT_EQ(g_status.WindowText(), "No supporting host adapter is found.\n\r");
    EXPECT_EQ(g_status.ShownText(), "No supporting host adapter is found.");
    EXPECT_EQ(session->Sim().ChipContents(0), rom);
}

TEST_F(FlashCommandsTest, BackupTextsReachTheStatusLineOnlyAfterAFlash) {
    prompter.savePaths = {dir / "before.bin"};
    ::testing::internal::CaptureStderr();
    Click(IdcBackup);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Backup BIOS Success!"),
              std::string::npos);
    EXPECT_EQ(prompter.messages, Outcome(true));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(ReadFile(dir / "before.bin").size(), 65536u);  // the ROM size of a 1C5D:0A12

    OpenImage(0x0A12, 2048);
    Click(IdcFlash);
    shown.clear();
    prompter.savePaths = {dir / "after.bin"};
    Click(IdcBackup);
    EXPECT_EQ(shown, (Texts{"Backup BIOS, Please wait......", "\n", "Backup BIOS Success!\n\n"}));

    prompter.messages.clear();
    shown.clear();
    Click(IdcBackup);  // cancelled: nothing at all
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(shown.empty());
    prompter.savePaths = {dir / "missing/rom.bin"};
    Click(IdcBackup);
    EXPECT_EQ(prompter.messages, Outcome(false));
}

// Closing, Escape and a dropped file all wait until the run has ended.
TEST_F(FlashCommandsTest, DuringARunTheWindowNeitherClosesNorTakesADroppedFile) {
    OpenImage(0x0A12, 2048);
    const std::string path = window->m_strPath;
    window->Surface().Show();
    bool tried = false;
    g_status.SetListener([&](const std::string& text) {
        if (tried || text != "Flashing...") return;
        tried = true;
        window->Surface().CloseWindow();
        window->Surface().PressEscape();
        window->Surface().DropFile(dir / "other.rom");
    });
    Click(IdcFlash);
    EXPECT_TRUE(tried);
    EXPECT_TRUE(window->Surface().IsShown());
    EXPECT_EQ(window->m_strPath, path);
    EXPECT_EQ(prompter.messages.back().text, "Successful!");
    window->Surface().PressEscape();
    EXPECT_FALSE(window->Surface().IsShown());
}

TEST_F(FlashCommandsTest, ProgressSinkLabelsEachPhaseOnceAndShowsTextsAsPosted) {
    auto bar = [&] { return window->Surface().ProgressPos(IdcProgress); };
    FlashProgressSink(EventErasing, 0, "Erasing....\n");
    FlashProgressSink(EventFlashing, 0, "Flashing ....\n");
    FlashProgressSink(EventFlashProgress, 10, "");
    FlashProgressSink(EventFlashProgress, 60, "");
    EXPECT_EQ(bar(), 60);
    FlashProgressSink(EventText, 0, "");
    FlashProgressSink(EventFlashDone, 0, "");
    FlashProgressSink(EventVerifying, 0, "\nVerifing ....\n");
    FlashProgressSink(EventVerifyProgress, 5, "");
    FlashProgressSink(EventPassed, 0, "Passed !\n");
    EXPECT_EQ(shown, (Texts{"Erasing....\n", "Flashing...", "Verifying...", "Passed !\n"}));
    EXPECT_EQ(g_phaseShown, 0);
    EXPECT_EQ(bar(), 5);

    // A run that ends without EventFlashDone leaves the label flag set for the next run.
    shown.clear();
    FlashProgressSink(EventFlashProgress, 97, "");
    FlashProgressSink(EventText, 0, "Program failed\n");
    FlashProgressSink(EventFlashProgress, 3, "");
    EXPECT_EQ(shown, (Texts{"Flashing...", "Program failed\n"}));
    EXPECT_EQ(g_phaseShown, 1);
    EXPECT_EQ(bar(), 3);
    FlashProgressSink(42, 0, "odd code\n");
    EXPECT_EQ(g_status.WindowText(), "odd code\n");
}

}  // namespace
}  // namespace tarvex::testing
