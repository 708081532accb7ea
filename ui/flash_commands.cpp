// Open, Flash!, Backup and Exit of the main window.
#include <cstdio>

#include "flash/host_claim.h"
#include "image/flash_from_file.h"
#include "image/rom_backup.h"
#include "ui/flash_dlg.h"
#include "ui/flash_progress_sink.h"
#include "ui/prompter.h"
#include "ui/window_state.h"

namespace tarvex {

// Holds the window for one operation: it repaints meanwhile but neither closes nor takes drops.
class RunningOperation {
public:
    explicit RunningOperation(CFlashDlg& dialog) : m_dialog(dialog) { m_dialog.m_running = true; }
    ~RunningOperation() { m_dialog.m_running = false; }
    RunningOperation(const RunningOperation&) = delete;
    RunningOperation& operator=(const RunningOperation&) = delete;

private:
    CFlashDlg& m_dialog;
};

namespace {

// Takes the host lock for one operation; says why not, and then nothing is started.
bool ClaimHostFor(CFlashDlg& dialog, platform::HostLock& lock) {
    std::string refusal;
    if (TryClaimHost(lock, refusal) == platform::HostLockState::Held) return true;
    ShowOkMessage(&dialog.Surface(), refusal, "Error", MessageIcon::Error);
    return false;
}

}  // namespace

void CFlashDlg::OnOpen() {
    m_strPath = CurrentPrompter().OpenFileName(m_surface.get());
    SetPathText(m_strPath);
}

// The whole path goes to the operation, however long it is.
void CFlashDlg::OnFlash() {
    if (m_strPath.empty()) {
        ShowOkMessage(m_surface.get(), "No BOIS Image file!", "Warning", MessageIcon::Warning);
        return;
    }
    std::string path = g_useTempImage == 1 ? g_tempImagePath : m_strPath;
    platform::HostLock lock;
    if (!ClaimHostFor(*this, lock)) return;
    std::fflush(nullptr);
    AdapterIndex adapter = SelectedAdapter();
    FlashStatus status;
    {
        RunningOperation running(*this);
        status = FlashFromFile(adapter, path.c_str(), 0, FlashProgressSink);
    }
    ShowOutcome(status);
}

void CFlashDlg::OnBackup() {
    std::string path = CurrentPrompter().SaveFileName(m_surface.get());
    if (path.empty()) return;
    platform::HostLock lock;
    if (!ClaimHostFor(*this, lock)) return;
    std::fflush(nullptr);
    AdapterIndex adapter = SelectedAdapter();
    FlashStatus status;
    {
        RunningOperation running(*this);
        status = BackupRom(adapter, path.c_str());
    }
    ShowOutcome(status);
}

void CFlashDlg::ShowOutcome(FlashStatus status) {
    if (status == StatusOk) {
        ShowOkMessage(m_surface.get(), "Successful!", "Congratulation", MessageIcon::Information);
    } else {
        ShowOkMessage(m_surface.get(), "Failed!", "Error", MessageIcon::Error);
    }
}

// Closing is posted, so the click that asked for it ends first.
void CFlashDlg::OnExit() { m_surface->PostClose(); }

}  // namespace tarvex
