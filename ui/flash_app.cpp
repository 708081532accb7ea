#include "ui/flash_app.h"

#include "ui/flash_dlg.h"

namespace tarvex {

bool CFlashApp::InitInstance() {
    CFlashDlg dialog;
    dialog.DoModal();
    return false;
}

}  // namespace tarvex
