// Start-up of the main window, its enabling rules, the adapter selection, its
// keys and the temporary image file's life.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <cstdlib>

#include "platform/host_lock.h"
#include "support/driver_stand_in.h"
#include "ui/temp_file_guard.h"
#include "ui/templates/control_ids.h"
#include "ui/window_state.h"
#include "ui_test_support.h"

namespace tarvex::testing {
namespace {

using testing::MakeAdapter;

class FlashDlgTest : public WindowTest {
protected:
    sim::Rig rig = testing::MakeRig({MakeAdapter(0x1C5D, 0x0A12, "SST 39SF010A", 7, "ATA133"),
                                     MakeAdapter(0x1C5D, 0x0B22, "none", 10, "SATA150"),
                                     MakeAdapter(0x1C5D, 0x0C32, "WINBOND W29C020C", 12, "RAID")});
    QString Line(int i) const { return window->m_cbController->itemText(i); }
};

TEST_F(FlashDlgTest, InterfaceTooOldEndsTheProcessWithStatusZeroAfterTheMessage) {
    rig.driver.interfaceVersion = MinimumInterfaceVersion - 1;
    testing::SimSession old(rig, false);
    window = std::make_unique<CFlashDlg>();
    EXPECT_EQ(window->DoModal(),
              QDialog::Rejected);  // returns at once: the "process" ended
    EXPECT_EQ(prompter.messages,
              (Messages{{"The interface version isn't matched.", "Error", MessageIcon::Error}}));
    EXPECT_EQ(exitStatuses, std::vector<int>{0});
    EXPECT_EQ(window->m_cbController->count(), 0);
    EXPECT_TRUE(TempImageFiles().empty());
}

TEST_F(FlashDlgTest, ListsAnsweringAdaptersByNumberAndShowsTheChipOfTheChosenOne) {
    rig.driver.interfaceVersion = MinimumInterfaceVersion;
    rig.driver.adapterCount = 4;  // adapter 3 does not exist: its information query fails
    rig.adapters[1].faults.refuse.insert("adapter_info");
    ASSERT_TRUE(Start(rig));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(window->m_nAdapterCount, 4);
    ASSERT_EQ(window->m_cbController->count(), 2);
    EXPECT_EQ(Line(0), QStringLiteral("[0] ATA133 (KVRA2)"));
    EXPECT_EQ(Line(1), QStringLiteral("[2] RAID (KVRB2N)"));
    EXPECT_EQ(window->m_cbController->currentIndex(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Flash Model: SST 39SF010A (0xB5BF)"});
    EXPECT_EQ(g_status.Label()->text(), QStringLiteral("Flash Model: SST 39SF010A (0xB5BF)"));
    EXPECT_EQ(g_progress.Bar()->maximum(), 100);

    QTest::keyClick(window->m_cbController, Qt::Key_Down);  // line 1 is adapter 2
    EXPECT_EQ(g_status.WindowText(), "Flash Model: WINBOND W29C020C (0x45DA)");
    for (auto& adapter : rig.adapters) adapter.faults.refuse.insert("adapter_info");
    testing::SimSession silent(rig, false);
    QTest::keyClick(window->m_cbController, Qt::Key_Up);
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(FlashDlgTest, CaptionNamesTheSimulatorsRigOnlyWhenTheSimulatorAnswers) {
    rig.source = "/rigs/bench.json";
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Tarvex Flash Utility [simulated, rig: /rigs/bench.json]"));

    // The same adapters answered through a driver.
    platform::InstallDeviceProvider(std::make_shared<testing::DriverStandIn>(session->Sim()));
    window = std::make_unique<CFlashDlg>();
    ASSERT_TRUE(window->InitDialog());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tarvex Flash Utility"));
}

TEST_F(FlashDlgTest, ModelWithoutNameAndUnidentifiedChipGiveReadableLines) {
    std::swap(rig.adapters[0], rig.adapters[1]);
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(Line(0), QStringLiteral("[0] SATA150"));
    EXPECT_EQ(g_status.WindowText(), "Flash Model: not identified");
}

TEST_F(FlashDlgTest, NoDriverMeansNoControllerNoBackupAndNeverFlash) {
    rig.adapters[0].faults.refuse.insert("adapter_count");
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(window->m_nAdapterCount, -1);
    EXPECT_EQ(shown, std::vector<std::string>{"No Controller is detected."});
    EXPECT_EQ(window->m_cbController->count(), 0);
    QTest::keyClicks(window->m_editPath, QStringLiteral("a.rom"));
    EXPECT_EQ(window->m_strPath, QStringLiteral("a.rom"));
    EXPECT_TRUE(window->m_btnConfig->isEnabled());
    EXPECT_FALSE(window->m_btnFlash->isEnabled());
    EXPECT_FALSE(window->m_btnBackup->isEnabled());
    EXPECT_TRUE(window->Control(IdcOpen)->isEnabled());
    EXPECT_TRUE(window->Control(IdcExit)->isEnabled());
}

TEST_F(FlashDlgTest, PathEnablesFlashAndConfigAndEmptyingItDisablesThemLeavingBackup) {
    rig.driver.adapterCount = 0;  // no adapter, yet a count: Flash is enabled with a path
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(window->m_cbController->currentIndex(), -1);
    EXPECT_FALSE(window->m_btnFlash->isEnabled());
    EXPECT_FALSE(window->m_btnConfig->isEnabled());
    QTest::keyClicks(window->m_editPath, QStringLiteral("x"));
    EXPECT_TRUE(window->m_btnFlash->isEnabled());
    EXPECT_TRUE(window->m_btnConfig->isEnabled());
    g_useTempImage = 1;
    QTest::keyClick(window->m_editPath, Qt::Key_Backspace);
    EXPECT_EQ(g_useTempImage, 0);
    EXPECT_FALSE(window->m_btnFlash->isEnabled());
    EXPECT_FALSE(window->m_btnConfig->isEnabled());
    EXPECT_TRUE(window->m_btnBackup->isEnabled());
}

TEST_F(FlashDlgTest, TemporaryFileIsOwnerOnlyEnterDoesNothingAndEscapeDeletesIt) {
    ASSERT_TRUE(Start(rig));
    window->show();
    auto files = TempImageFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].string(), g_tempImagePath);
    const QRegularExpression tempName(QStringLiteral("^kvr[0-9A-F]{1,4}\\.TMP$"));
    EXPECT_TRUE(tempName.match(QString::fromStdString(files[0].filename().string())).hasMatch());
    struct stat info {};
    ASSERT_EQ(stat(g_tempImagePath.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(info.st_size, 0);

    window->m_editPath->setFocus();
    QTest::keyClick(window->m_editPath, Qt::Key_Return);
    EXPECT_TRUE(window->isVisible());
    prompter.openPaths = {"chosen.rom"};  // Enter on a focused button presses it
    window->Control(IdcOpen)->setFocus();
    QTest::keyClick(window->Control(IdcOpen), Qt::Key_Return);
    EXPECT_EQ(window->m_strPath, QStringLiteral("chosen.rom"));
    EXPECT_TRUE(window->isVisible());

    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(TempImageFiles().empty());
}

TEST_F(FlashDlgTest, ExitAndDestructionDeleteTheTemporaryFileAndReleaseTheImage) {
    ASSERT_TRUE(Start(rig));
    window->show();
    g_imageBuffer = std::make_unique<uint8_t[]>(4);
    Click(IdcExit);
    EXPECT_TRUE(window->isVisible());  // the close is posted
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(TempImageFiles().empty());
    EXPECT_FALSE(g_imageBuffer);
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(TempImageFiles().size(), 1u);
    window.reset();
    EXPECT_TRUE(TempImageFiles().empty());
}

// Another holder of the host lock stands in for a process that flashes meanwhile.
TEST_F(FlashDlgTest, WhileAnOperationRunsElsewhereNothingReachesAChip) {
    platform::HostLock elsewhere;
    ASSERT_EQ(elsewhere.TryAcquire(), platform::HostLockState::Held);
    ASSERT_TRUE(Start(rig, true));
    const std::string busy = "Flash Model: not checked, an operation is running elsewhere";
    EXPECT_EQ(g_status.WindowText(), busy);
    EXPECT_EQ(window->m_cbController->count(), 3);  // the driver's queries still list them
    QTest::keyClicks(window->m_editPath, QStringLiteral("image.rom"));
    prompter.savePaths = {(Dir() / "backup.rom").string()};
    Click(IdcFlash);
    Click(IdcBackup);
    QTest::keyClick(window->m_cbController, Qt::Key_Down);
    EXPECT_EQ(g_status.WindowText(), busy);
    const ShownMessage refused{"An operation is running elsewhere. Try again when it has ended.",
                               "Error", MessageIcon::Error};
    EXPECT_EQ(prompter.messages, (Messages{refused, refused}));
    for (const sim::TraceRecord& request : session->Requests())
        EXPECT_FALSE(request.isEprom) << request.epromOffset;
    EXPECT_FALSE(std::filesystem::exists(Dir() / "backup.rom"));

    elsewhere.Release();  // the other operation ends: the chip line identifies again
    QTest::keyClick(window->m_cbController, Qt::Key_Up);
    EXPECT_EQ(g_status.WindowText(), "Flash Model: SST 39SF010A (0xB5BF)");
}

// Terminated by a signal, or ended through exit() as Qt does when the display goes away.
TEST_F(FlashDlgTest, TemporaryFileGoesWhenTheProcessIsTerminatedOrExits) {
    for (bool bySignal : {true, false}) {
        std::string path = WriteFile("kvrA.TMP", {});
        pid_t child = fork();
        if (child == 0) {
            ArmTempFileGuard(path);
            if (bySignal) raise(SIGTERM);
            std::exit(1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        if (bySignal) {
            EXPECT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(WTERMSIG(status), SIGTERM);
        } else {  // the status itself may be the leak checker's in a sanitizer build
            EXPECT_TRUE(WIFEXITED(status));
        }
        EXPECT_TRUE(TempImageFiles().empty());
    }
}

}  // namespace
}  // namespace tarvex::testing
