// Start-up of the main window, its enabling rules, the adapter selection, its
// keys and the temporary image file's life.
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstdlib>

#include "platform/host_lock.h"
#include "platform/removal_at_exit.h"
#include "support/driver_stand_in.h"
#include "support/test_thread.h"
#include "temp_image_name.h"
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
    std::string Line(int i) const { return window->m_cbController.GetLBText(i); }
    void Choose(int line) { window->Surface().ChooseLine(IdcController, line); }
};

TEST_F(FlashDlgTest, InterfaceTooOldEndsTheProcessWithStatusZeroAfterTheMessage) {
    rig.driver.interfaceVersion = MinimumInterfaceVersion - 1;
    testing::SimSession old(rig, false);
    window = std::make_unique<CFlashDlg>();
    EXPECT_EQ(window->DoModal(), IdCancel);  // returns at once: the "process" ended
    EXPECT_EQ(prompter.messages,
              (Messages{{"The interface version isn't matched.", "Error", MessageIcon::Error}}));
    EXPECT_EQ(exitStatuses, std::vector<int>{0});
    EXPECT_EQ(window->m_cbController.GetCount(), 0);
    EXPECT_EQ(TempImageFiles(), 0u);
}

TEST_F(FlashDlgTest, ListsAnsweringAdaptersByNumberAndShowsTheChipOfTheChosenOne) {
    rig.driver.interfaceVersion = MinimumInterfaceVersion;
    rig.driver.adapterCount = 4;  // adapter 3 does not exist: its information query fails
    rig.adapters[1].faults.refuse.insert("adapter_info");
    ASSERT_TRUE(Start(rig));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(window->m_nAdapterCount, 4);
    ASSERT_EQ(window->m_cbController.GetCount(), 2);
    EXPECT_EQ(Line(0), "[0] ATA133 (KVRA2)");
    EXPECT_EQ(Line(1), "[2] RAID (KVRB2N)");
    EXPECT_EQ(window->m_cbController.GetCurSel(), 0);
    EXPECT_EQ(shown, std::vector<std::string>{"Flash Model: SST 39SF010A (0xB5BF)"});
    EXPECT_EQ(g_status.ShownText(), "Flash Model: SST 39SF010A (0xB5BF)");
    EXPECT_EQ(g_progress.Upper(), 100);

    Choose(1);  // line 1 is adapter 2
    EXPECT_EQ(g_status.WindowText(), "Flash Model: WINBOND W29C020C (0x45DA)");
    for (auto& adapter : rig.adapters) adapter.faults.refuse.insert("adapter_info");
    testing::SimSession silent(rig, false);
    Choose(0);
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(FlashDlgTest, CaptionNamesTheSimulatorsRigOnlyWhenTheSimulatorAnswers) {
    rig.source = "/rigs/bench.json";
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(window->Surface().Caption(),
              "Tarvex Flash Utility [simulated, rig: /rigs/bench.json]");

    // The same adapters answered through a driver.
    platform::InstallDeviceProvider(std::make_shared<testing::DriverStandIn>(session->Sim()));
    window = std::make_unique<CFlashDlg>();
    ASSERT_TRUE(window->InitDialog());
    EXPECT_EQ(window->Surface().Caption(), "Tarvex Flash Utility");
}

TEST_F(FlashDlgTest, ModelWithoutNameAndUnidentifiedChipGiveReadableLines) {
    std::swap(rig.adapters[0], rig.adapters[1]);
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(Line(0), "[0] SATA150");
    EXPECT_EQ(g_status.WindowText(), "Flash Model: not identified");
}

// Flash wants a path and an adapter count (even of none), Config a path, Backup a count.
TEST_F(FlashDlgTest, ButtonsFollowThePathAndWhetherTheDriverGaveACount) {
    rig.driver.adapterCount = 0;
    for (bool noDriver : {true, false}) {
        SCOPED_TRACE(noDriver);
        if (noDriver) rig.adapters[0].faults.refuse.insert("adapter_count");
        ASSERT_TRUE(Start(rig));
        rig.adapters[0].faults.refuse.clear();
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(window->m_nAdapterCount, noDriver ? -1 : 0);
        EXPECT_EQ(window->m_cbController.GetCurSel(), -1);
        EXPECT_FALSE(window->m_btnFlash.IsWindowEnabled());
        EXPECT_FALSE(window->m_btnConfig.IsWindowEnabled());
        Type(IdcPath, "a.rom");
        EXPECT_EQ(window->m_strPath, "a.rom");
        EXPECT_TRUE(window->m_btnConfig.IsWindowEnabled());
        EXPECT_EQ(window->m_btnFlash.IsWindowEnabled(), !noDriver);
        EXPECT_EQ(window->m_btnBackup.IsWindowEnabled(), !noDriver);
        EXPECT_TRUE(window->Surface().IsItemEnabled(IdcOpen));
        EXPECT_TRUE(window->Surface().IsItemEnabled(IdcExit));
    }
    EXPECT_EQ(shown.front(), "No Controller is detected.");
    g_useTempImage = 1;
    Type(IdcPath, "");
    EXPECT_EQ(g_useTempImage, 0);
    EXPECT_FALSE(window->m_btnFlash.IsWindowEnabled());
    EXPECT_FALSE(window->m_btnConfig.IsWindowEnabled());
    EXPECT_TRUE(window->m_btnBackup.IsWindowEnabled());
}

// The driver's devices refuse a user without administrator rights: the window says so.
TEST_F(FlashDlgTest, DevicesRefusingTheUserNameAdministratorRights) {
    ASSERT_TRUE(Start(rig));
    platform::InstallDeviceProvider(
        std::make_shared<testing::DriverStandIn>(session->Sim(), platform::ErrorAccessDenied));
    ResetDriverLink();
    window = std::make_unique<CFlashDlg>();
    ASSERT_TRUE(window->InitDialog());
    EXPECT_EQ(g_status.WindowText(), "No Controller is detected.");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.starts_with("Administrator rights are needed"));
}

TEST_F(FlashDlgTest, TemporaryFileIsOwnerOnlyEnterDoesNothingAndEscapeDeletesIt) {
    ASSERT_TRUE(Start(rig));
    window->Surface().Show();
    ASSERT_EQ(TempImageFiles(), 1u);
    const std::filesystem::path file(g_tempImagePath);
    EXPECT_TRUE(std::filesystem::equivalent(file.parent_path(), dir.Root()));
    EXPECT_TRUE(IsTempImageName(file.filename().string())) << file;
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
#ifndef _WIN32
    EXPECT_EQ(std::filesystem::status(file).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif

    window->Surface().FocusItem(IdcPath);
    window->Surface().PressEnter();
    EXPECT_TRUE(window->Surface().IsShown());
    prompter.openPaths = {"chosen.rom"};  // Enter on a focused button presses it
    window->Surface().FocusItem(IdcOpen);
    window->Surface().PressEnter();
    EXPECT_EQ(window->m_strPath, "chosen.rom");
    EXPECT_TRUE(window->Surface().IsShown());

    window->Surface().PressEscape();
    EXPECT_FALSE(window->Surface().IsShown());
    EXPECT_EQ(TempImageFiles(), 0u);
}

TEST_F(FlashDlgTest, ExitAndDestructionDeleteTheTemporaryFileAndReleaseTheImage) {
    ASSERT_TRUE(Start(rig));
    window->Surface().Show();
    g_imageBuffer = std::make_unique<uint8_t[]>(4);
    Click(IdcExit);
    EXPECT_TRUE(window->Surface().IsShown());  // the close is posted
    window->Surface().ProcessPendingMessages();
    EXPECT_FALSE(window->Surface().IsShown());
    EXPECT_EQ(TempImageFiles(), 0u);
    EXPECT_FALSE(g_imageBuffer);
    ASSERT_TRUE(Start(rig));
    EXPECT_EQ(TempImageFiles(), 1u);
    window.reset();
    EXPECT_EQ(TempImageFiles(), 0u);
}

// Another holder of the host lock, standing in for a process that flashes meanwhile: a thread
// of its own, since a Windows mutex belongs to the thread that took it.
class LockHeldElsewhere {
public:
    LockHeldElsewhere()
        : m_holder([this] {
              platform::HostLock lock;
              m_state = lock.TryAcquire();
              m_taken.Raise();
              m_released.Wait();
          }) {
        m_taken.Wait();
    }
    ~LockHeldElsewhere() { Release(); }
    platform::HostLockState State() const { return m_state; }
    void Release() {
        m_released.Raise();
        m_holder.Join();
    }

private:
    TestSignal m_taken, m_released;
    platform::HostLockState m_state{};
    TestThread m_holder;
};

TEST_F(FlashDlgTest, WhileAnOperationRunsElsewhereNothingReachesAChip) {
    LockHeldElsewhere elsewhere;
    ASSERT_EQ(elsewhere.State(), platform::HostLockState::Held);
    ASSERT_TRUE(Start(rig, true));
    const std::string busy = "Flash Model: not checked, an operation is running elsewhere";
    EXPECT_EQ(g_status.WindowText(), busy);
    EXPECT_EQ(window->m_cbController.GetCount(), 3);  // the driver's queries still list them
    Type(IdcPath, "image.rom");
    prompter.savePaths = {dir / "backup.rom"};
    Click(IdcFlash);
    Click(IdcBackup);
    Choose(1);
    EXPECT_EQ(g_status.WindowText(), busy);
    const ShownMessage refused{
        "An operation is running elsewhere: another process holds " + platform::HostLockName() +
            ". Nothing was sent to the flash chips; try again when it has ended.",
        "Error", MessageIcon::Error};
    EXPECT_EQ(prompter.messages, (Messages{refused, refused}));
    for (const sim::TraceRecord& request : session->Requests())
        EXPECT_FALSE(request.isEprom) << request.epromOffset;
    EXPECT_FALSE(std::filesystem::exists(dir / "backup.rom"));

    elsewhere.Release();  // the other operation ends: the chip line identifies again
    Choose(0);
    EXPECT_EQ(g_status.WindowText(), "Flash Model: SST 39SF010A (0xB5BF)");
}

#ifndef _WIN32
// Terminated by a signal, or ended through exit() as Qt does when the display goes away.
TEST_F(FlashDlgTest, TemporaryFileGoesWhenTheProcessIsTerminatedOrExits) {
    for (bool bySignal : {true, false}) {
        std::string path = WriteFile(dir / "kvrA.TMP", {});
        pid_t child = fork();
        if (child == 0) {
            platform::ArmRemovalAtExit(path);
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
        EXPECT_EQ(TempImageFiles(), 0u);
    }
}

#endif

}  // namespace
}  // namespace tarvex::testing
