#include "ui/flash_app.h"

#include <QCoreApplication>

#include "ui/flash_dlg.h"

namespace tarvex {

bool CFlashApp::InitInstance() {
    CFlashDlg dialog;
    // A session that ends while the window is open still removes the temporary file.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &dialog,
                     [&dialog] { dialog.OnDestroy(); });
    dialog.DoModal();
    return false;
}

}  // namespace tarvex
