#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "driver/transport.h"
#include "flash/flash_status.h"
#include "ui/dialog_item.h"
#include "ui/dialog_surface.h"

namespace tarvex {

// The oldest driver interface the window works with.
inline constexpr uint32_t MinimumInterfaceVersion = 0x01000000;

// Results of a dialog's modal run.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;

// The main window (template 102): adapter list, image path, Open, Config, Flash!, Backup and
// Exit, the progress bar and the status line. The logic of the window, on whichever toolkit
// made its surface.
class CFlashDlg : public DialogEvents {
public:
    explicit CFlashDlg(DialogSurface* parent = nullptr);
    ~CFlashDlg() override;
    CFlashDlg(const CFlashDlg&) = delete;
    CFlashDlg& operator=(const CFlashDlg&) = delete;

    // Initialises the dialog and runs it modally until it ends.
    int DoModal();
    // The initialisation of a modal run, focus included; false when the process was ended.
    bool InitDialog();
    virtual bool OnInitDialog();

    DialogSurface& Surface() const { return *m_surface; }

    void OnSelchangeController();
    void OnChangePath();
    void OnOpen();
    void OnFlash();
    void OnBackup();
    void OnExit();
    void OnConfig();
    void OnDestroy() override;

    // The dialog's handlers, as the toolkit calls them.
    void OnCommand(int id, Notification notification) override;
    void OnOK() override;
    void OnCancel() override;
    void OnDropFile(const std::string& path) override;
    void OnSysCommand(uint32_t command) override;

    DialogItem m_cbController;
    DialogItem m_btnConfig;
    DialogItem m_btnBackup;
    DialogItem m_btnFlash;
    DialogItem m_editPath;
    std::string m_strPath;
    int32_t m_nAdapterCount = -1;

protected:
    virtual void DoDataExchange();

private:
    void FillAdapterList();
    AdapterIndex SelectedAdapter() const;
    void SetPathText(const std::string& path);
    void ShowOutcome(FlashStatus status);

    std::unique_ptr<DialogSurface> m_surface;
    bool m_windowExists = false;  // initialised and not yet destroyed
    bool m_processEnded = false;  // the start-up ended the process (a test's exit hook returned)
    bool m_running = false;       // a flash or backup holds the window
    friend class RunningOperation;
};

}  // namespace tarvex
