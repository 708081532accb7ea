#include "ui/flash_dlg.h"

#include "driver/adapter_queries.h"
#include "platform/device.h"
#include "platform/removal_at_exit.h"
#include "platform/temp_file.h"
#include "ui/adapter_texts.h"
#include "ui/process_exit.h"
#include "ui/prompter.h"
#include "ui/templates/control_ids.h"
#include "ui/window_caption.h"
#include "ui/window_state.h"

namespace tarvex {

namespace {
// The About entry's command in the system menu.
constexpr uint32_t IdmAboutBox = 0x0010;
constexpr const char* AdministratorRightsText =
    "Administrator rights are needed to open the adapters' devices. Start the Flash Utility "
    "again as an administrator: right-click it and choose \"Run as administrator\" (on "
    "Windows XP, \"Run as...\").";
}  // namespace

CFlashDlg::CFlashDlg(DialogSurface* parent)
    : m_surface(CreateDialogSurface(FlashDialogTemplate(), *this, parent)) {}

CFlashDlg::~CFlashDlg() { OnDestroy(); }

// Bindings of the members to their controls; the empty path goes into the edit (which raises
// no change, as it holds that text already).
void CFlashDlg::DoDataExchange() {
    DialogSurface* surface = m_surface.get();
    m_cbController = DialogItem(surface, IdcController);
    m_btnConfig = DialogItem(surface, IdcConfig);
    m_btnBackup = DialogItem(surface, IdcBackup);
    m_btnFlash = DialogItem(surface, IdcFlash);
    m_editPath = DialogItem(surface, IdcPath);
    if (m_editPath.GetWindowText() != m_strPath) m_editPath.SetWindowText(m_strPath);
    g_progress.Attach(DialogItem(surface, IdcProgress));
    g_status.Attach(DialogItem(surface, IdcStatus));
}

int CFlashDlg::DoModal() {
    if (!InitDialog()) return IdCancel;
    const int result = m_surface->RunModal();
    OnDestroy();
    return result;
}

bool CFlashDlg::InitDialog() {
    bool focusFirst = OnInitDialog();
    if (m_processEnded) return false;
    if (focusFirst) m_surface->FocusFirstControl();
    return true;
}

bool CFlashDlg::OnInitDialog() {
    DoDataExchange();
    m_windowExists = true;
    m_surface->SetCaption(WindowCaption(FlashDialogTemplate().caption));
    // A file dropped anywhere on the window is taken as Open takes it.
    m_surface->AcceptDroppedFiles(true);

    // A failed query reads as 0xFFFFFFFF and passes; the adapter count then tells.
    if (GetInterfaceVersion() < MinimumInterfaceVersion) {
        ShowOkMessage(m_surface.get(), "The interface version isn't matched.", "Error",
                      MessageIcon::Error);
        m_processEnded = true;
        m_windowExists = false;
        EndProcess(0);
        return false;
    }
    g_progress.SetRange(0, 100);
    m_nAdapterCount = GetAdapterCount();
    if (m_nAdapterCount == -1) {
        g_status.SetWindowText("No Controller is detected.");
        m_btnBackup.EnableWindow(false);
        if (platform::DeviceOpenDenied())
            ShowOkMessage(m_surface.get(), AdministratorRightsText, "Error", MessageIcon::Error);
    } else {
        FillAdapterList();
    }
    g_tempImagePath = platform::CreateTempImageFile("kvr");
    platform::ArmRemovalAtExit(g_tempImagePath);
    m_btnFlash.EnableWindow(false);
    m_btnConfig.EnableWindow(false);
    return true;
}

// Lines carry their adapter number, so a line maps to its adapter however the list sorts and
// whichever adapters failed to answer.
void CFlashDlg::FillAdapterList() {
    for (int32_t i = 0; i < m_nAdapterCount; ++i) {
        auto adapter = static_cast<AdapterIndex>(i);
        if (GetAdapterInfo(adapter, &g_adapterInfo) != 0) continue;
        m_cbController.AddString(AdapterLine(adapter, g_adapterInfo), adapter);
    }
    m_cbController.SetCurSel(m_cbController.GetCount() > 0 ? 0 : -1);
    // The chip of the adapter whose line is shown; adapter 0 when the list is empty.
    AdapterIndex shown = m_cbController.GetCurSel() >= 0 ? SelectedAdapter() : 0;
    g_status.SetWindowText(HostCheckedChipLine(shown));
}

AdapterIndex CFlashDlg::SelectedAdapter() const {
    int line = m_cbController.IsBound() ? m_cbController.GetCurSel() : -1;
    if (line < 0) return static_cast<AdapterIndex>(-1);
    return m_cbController.GetItemData(line);
}

void CFlashDlg::OnCommand(int id, Notification notification) {
    if (notification == Notification::Clicked) {
        switch (id) {
        case IdcConfig:
            OnConfig();
            return;
        case IdcExit:
            OnExit();
            return;
        case IdcOpen:
            OnOpen();
            return;
        case IdcBackup:
            OnBackup();
            return;
        case IdcFlash:
            OnFlash();
            return;
        default:
            return;
        }
    }
    if (id == IdcPath && notification == Notification::TextChanged) OnChangePath();
    if (id == IdcController && notification == Notification::SelectionChanged)
        OnSelchangeController();
}

void CFlashDlg::OnSelchangeController() {
    AdapterIndex adapter = SelectedAdapter();
    if (GetAdapterInfo(adapter, &g_adapterInfo) != 0) return;
    g_status.SetWindowText(HostCheckedChipLine(adapter));
}

void CFlashDlg::OnChangePath() {
    m_strPath = m_editPath.GetWindowText();
    g_useTempImage = 0;
    if (m_strPath.empty()) {
        m_btnFlash.EnableWindow(false);
        m_btnConfig.EnableWindow(false);
    } else {
        m_btnFlash.EnableWindow(m_nAdapterCount != -1);
        m_btnConfig.EnableWindow(true);
    }
}

// Every setting of the path raises the change notification, also when the text stays the same.
void CFlashDlg::SetPathText(const std::string& path) {
    if (m_editPath.GetWindowText() == path) {
        OnChangePath();
    } else {
        m_editPath.SetWindowText(path);
    }
}

void CFlashDlg::OnDestroy() {
    if (!m_windowExists) return;
    m_windowExists = false;
    g_imageBuffer.reset();
    platform::DeleteTempFile(g_tempImagePath);
    platform::DisarmRemovalAtExit();
    g_tempImagePath.clear();
    g_progress.Detach();
    g_status.Detach();
}

// Enter does nothing; Escape and closing end the window, unless an operation holds it.
void CFlashDlg::OnOK() {}

void CFlashDlg::OnCancel() {
    if (m_running) return;
    m_surface->EndDialog(IdCancel);
    OnDestroy();
}

void CFlashDlg::OnDropFile(const std::string& path) {
    if (m_running || path.empty()) return;
    m_strPath = path;
    SetPathText(m_strPath);
}

// The About box has no template in the resources, so it never shows; nor does the system
// menu get the entry that would ask for it.
void CFlashDlg::OnSysCommand(uint32_t command) {
    if ((command & 0xFFF0) == IdmAboutBox) return;
}

}  // namespace tarvex
