// Open, Flash!, Backup and the progress sink of the main window.
#include <QDropEvent>
#include <QMimeData>
#include <algorithm>

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
        ASSERT_TRUE(Start(OneAdapterRig()));
        shown.clear();
    }
    std::vector<uint8_t> OpenImage(uint16_t device, size_t size) {
        std::vector<uint8_t> image = MakeRomImage(0x1C5D, device, size);
        FixSum(image);
        Open(image);
        return image;
    }
    ptrdiff_t At(const std::string& text) const {
        return std::find(shown.begin(), shown.end(), text) - shown.begin();
    }
    Messages Outcome(bool success) const {
        if (success)
            return {{"Successful!", "Congratulation", MessageIcon::Information, window.get()}};
        return {{"Failed!", "Error", MessageIcon::Error, window.get()}};
    }
};

TEST_F(FlashCommandsTest, OpenSetsThePathEvenWhenUnchangedAndCancelEmptiesIt) {
    std::string path = Open(MakeRomImage(0x1C5D, 0x0A12, 4096));
    EXPECT_EQ(window->m_editPath->text().toStdString(), path);
    EXPECT_TRUE(window->m_btnFlash->isEnabled());
    g_useTempImage = 1;
    Open(MakeRomImage(0x1C5D, 0x0A12,
                      4096));  // the same file again drops the edited image
    EXPECT_EQ(g_useTempImage, 0);
    Click(IdcOpen);  // cancelled
    EXPECT_TRUE(window->m_editPath->text().isEmpty());
    EXPECT_TRUE(window->m_strPath.isEmpty());
    EXPECT_FALSE(window->m_btnFlash->isEnabled());
    EXPECT_FALSE(window->m_btnConfig->isEnabled());

    // A file dropped on the window is taken as Open takes it.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/images/dropped.rom"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    EXPECT_EQ(window->m_editPath->text(), QStringLiteral("/images/dropped.rom"));
    EXPECT_TRUE(window->m_strPath == window->m_editPath->text());
    EXPECT_TRUE(window->m_btnConfig->isEnabled());
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
    Texts milestones = {
        "Loading file...\n", "BIOS code loaded\n", "Vender ID in BIOS image is 0A121C5D\n",
        "Erasing....\n",     "Flashing...",        "Verifying...",
        "Passed !\n"};
    for (size_t i = 0; i + 1 < milestones.size(); ++i)
        EXPECT_LT(At(milestones[i]), At(milestones[i + 1])) << milestones[i];
    EXPECT_EQ(shown.front(), milestones.front());
    EXPECT_EQ(shown.back(), milestones.back());
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Flashing..."), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "\nVerifing ....\n"), 0);
    EXPECT_EQ(g_progress.Bar()->value(), 100);
    EXPECT_EQ(g_status.Label()->text(), QStringLiteral("Passed !"));
    std::vector<uint8_t> rom = session->Sim().ChipContents(0);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), rom.begin()));
}

TEST_F(FlashCommandsTest, FlashOfAnotherAdaptersImageFailsAndKeepsItsLastText) {
    std::vector<uint8_t> rom = session->Sim().ChipContents(0);
    OpenImage(0x0B22, 4096);
    Click(IdcFlash);
    EXPECT_EQ(prompter.messages, Outcome(false));
    EXPECT_EQ(g_status.WindowText(), "No supporting host adapter is found.\n\r");
    EXPECT_EQ(g_status.Label()->text(), QStringLiteral("No supporting host adapter is found."));
    EXPECT_EQ(session->Sim().ChipContents(0), rom);
}

TEST_F(FlashCommandsTest, BackupTextsReachTheStatusLineOnlyAfterAFlash) {
    prompter.savePaths = {(Dir() / "before.bin").string()};
    ::testing::internal::CaptureStderr();
    Click(IdcBackup);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Backup BIOS Success!"),
              std::string::npos);
    EXPECT_EQ(prompter.messages, Outcome(true));
    EXPECT_TRUE(shown.empty());
    std::vector<uint8_t> rom = session->Sim().ChipContents(0);
    rom.resize(65536);  // the ROM size of a 1C5D:0A12 adapter
    EXPECT_EQ(ReadFile(Dir() / "before.bin"), rom);

    std::vector<uint8_t> image = OpenImage(0x0A12, 2048);
    Click(IdcFlash);
    shown.clear();
    prompter.savePaths = {(Dir() / "after.bin").string()};
    Click(IdcBackup);
    EXPECT_EQ(shown, (Texts{"Backup BIOS, Please wait......", "\n", "Backup BIOS Success!\n\n"}));
    std::vector<uint8_t> backup = ReadFile(Dir() / "after.bin");
    ASSERT_EQ(backup.size(), 65536u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), backup.begin()));

    prompter.messages.clear();
    shown.clear();
    Click(IdcBackup);  // cancelled: nothing at all
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_TRUE(shown.empty());
    prompter.savePaths = {(Dir() / "missing" / "rom.bin").string()};
    Click(IdcBackup);
    EXPECT_EQ(prompter.messages, Outcome(false));
}

using ProgressSinkTest = UiTest;

TEST_F(ProgressSinkTest, PhaseLabelsOncePerPhaseAndTextsAsPosted) {
    QLabel label;
    QProgressBar bar;
    g_status.Attach(&label);
    g_progress.Attach(&bar);
    Texts shown;
    g_status.SetListener([&](const std::string& text) { shown.push_back(text); });
    FlashProgressSink(EventErasing, 0, "Erasing....\n");
    FlashProgressSink(EventFlashing, 0, "Flashing ....\n");
    FlashProgressSink(EventFlashProgress, 10, "");
    FlashProgressSink(EventFlashProgress, 60, "");
    EXPECT_EQ(bar.value(), 60);
    FlashProgressSink(EventText, 0, "");
    FlashProgressSink(EventFlashDone, 0, "");
    FlashProgressSink(EventVerifying, 0, "\nVerifing ....\n");
    FlashProgressSink(EventVerifyProgress, 5, "");
    FlashProgressSink(EventPassed, 0, "Passed !\n");
    EXPECT_EQ(shown, (Texts{"Erasing....\n", "Flashing...", "Verifying...", "Passed !\n"}));
    EXPECT_EQ(g_phaseShown, 0);
    EXPECT_EQ(bar.value(), 5);

    // A run that ends without EventFlashDone leaves the label flag set for the next run.
    shown.clear();
    FlashProgressSink(EventFlashProgress, 97, "");
    FlashProgressSink(EventText, 0, "Program failed\n");
    FlashProgressSink(EventFlashProgress, 3, "");
    EXPECT_EQ(shown, (Texts{"Flashing...", "Program failed\n"}));
    EXPECT_EQ(g_phaseShown, 1);
    EXPECT_EQ(bar.value(), 3);
    FlashProgressSink(42, 0, "odd code\n");
    EXPECT_EQ(g_status.WindowText(), "odd code\n");
}

}  // namespace
}  // namespace tarvex::testing
