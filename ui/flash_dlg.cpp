#include "ui/flash_dlg.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include "driver/adapter_queries.h"
#include "platform/temp_file.h"
#include "ui/adapter_texts.h"
#include "ui/app_icon.h"
#include "ui/combo_box_lines.h"
#include "ui/process_exit.h"
#include "ui/prompter.h"
#include "ui/temp_file_guard.h"
#include "ui/templates/control_ids.h"
#include "ui/window_caption.h"
#include "ui/window_state.h"

namespace tarvex {

std::string NativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

CFlashDlg::CFlashDlg(QWidget* parent)
    : QDialog(parent), m_hIcon(AppIcon()), m_controls(BuildDialog(*this, FlashDialogTemplate())) {
    // Enter clicks a focused button and otherwise does nothing: no button is a default one.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    // A file dropped anywhere on the window, the path edit included, is taken as Open takes it.
    setAcceptDrops(true);
    if (auto* edit = qobject_cast<QLineEdit*>(Control(IdcPath))) edit->setAcceptDrops(false);
    ConnectMessageMap();
}

CFlashDlg::~CFlashDlg() { OnDestroy(); }

void CFlashDlg::ConnectMessageMap() {
    auto clicked = [this](int id, void (CFlashDlg::*handler)()) {
        connect(qobject_cast<QPushButton*>(Control(id)), &QPushButton::clicked, this,
                [this, handler] { (this->*handler)(); });
    };
    clicked(IdcConfig, &CFlashDlg::OnConfig);
    clicked(IdcExit, &CFlashDlg::OnExit);
    clicked(IdcOpen, &CFlashDlg::OnOpen);
    clicked(IdcBackup, &CFlashDlg::OnBackup);
    clicked(IdcFlash, &CFlashDlg::OnFlash);
    connect(qobject_cast<QLineEdit*>(Control(IdcPath)), &QLineEdit::textChanged, this,
            [this] { OnChangePath(); });
    // Only a choice of the user is a selection change, as with the list's own notification.
    connect(qobject_cast<QComboBox*>(Control(IdcController)), &QComboBox::activated, this,
            [this] { OnSelchangeController(); });
}

void CFlashDlg::DoDataExchange(DataExchange& dx) {
    dx.Control(IdcController, m_cbController);
    dx.Control(IdcConfig, m_btnConfig);
    dx.Control(IdcBackup, m_btnBackup);
    dx.Control(IdcFlash, m_btnFlash);
    dx.Control(IdcPath, m_editPath);
    dx.Text(IdcPath, m_strPath);
    dx.Control(IdcProgress, g_progress);
    dx.Control(IdcStatus, g_status);
}

int CFlashDlg::DoModal() {
    if (!InitDialog()) return QDialog::Rejected;
    return exec();
}

bool CFlashDlg::InitDialog() {
    bool focusFirst = OnInitDialog();
    if (m_processEnded) return false;
    if (focusFirst) focusNextChild();
    return true;
}

bool CFlashDlg::OnInitDialog() {
    DataExchange dx(m_controls);
    DoDataExchange(dx);
    m_windowExists = true;
    setWindowIcon(m_hIcon);
    setWindowTitle(WindowCaption(QString::fromLatin1(FlashDialogTemplate().caption)));

    // A failed query reads as 0xFFFFFFFF and passes; the adapter count then tells.
    if (GetInterfaceVersion() < MinimumInterfaceVersion) {
        ShowOkMessage(this, QStringLiteral("The interface version isn't matched."),
                      QStringLiteral("Error"), MessageIcon::Error);
        m_processEnded = true;
        m_windowExists = false;
        EndProcess(0);
        return false;
    }
    g_progress.SetRange(0, 100);
    m_nAdapterCount = GetAdapterCount();
    if (m_nAdapterCount == -1) {
        g_status.SetWindowText("No Controller is detected.");
        m_btnBackup->setEnabled(false);
    } else {
        FillAdapterList();
    }
    g_tempImagePath = platform::CreateTempImageFile("kvr");
    ArmTempFileGuard(g_tempImagePath);
    m_btnFlash->setEnabled(false);
    m_btnConfig->setEnabled(false);
    return true;
}

// Lines carry their adapter number, so a line maps to its adapter however the list sorts and
// whichever adapters failed to answer.
void CFlashDlg::FillAdapterList() {
    for (int32_t i = 0; i < m_nAdapterCount; ++i) {
        auto adapter = static_cast<AdapterIndex>(i);
        if (GetAdapterInfo(adapter, &g_adapterInfo) != 0) continue;
        std::string line = AdapterLine(adapter, g_adapterInfo);
        AddComboLine(*m_cbController, QString::fromLatin1(line.data(), std::ssize(line)),
                     QVariant::fromValue(adapter));
    }
    m_cbController->setCurrentIndex(m_cbController->count() > 0 ? 0 : -1);
    // The chip of the adapter whose line is shown; adapter 0 when the list is empty.
    AdapterIndex shown = m_cbController->currentIndex() >= 0 ? SelectedAdapter() : 0;
    g_status.SetWindowText(HostCheckedChipLine(shown));
}

AdapterIndex CFlashDlg::SelectedAdapter() const {
    int line = m_cbController ? m_cbController->currentIndex() : -1;
    if (line < 0) return static_cast<AdapterIndex>(-1);
    return m_cbController->itemData(line).value<AdapterIndex>();
}

void CFlashDlg::OnSelchangeController() {
    AdapterIndex adapter = SelectedAdapter();
    if (GetAdapterInfo(adapter, &g_adapterInfo) != 0) return;
    g_status.SetWindowText(HostCheckedChipLine(adapter));
}

void CFlashDlg::OnChangePath() {
    m_strPath = m_editPath->text();
    g_useTempImage = 0;
    if (m_strPath.isEmpty()) {
        m_btnFlash->setEnabled(false);
        m_btnConfig->setEnabled(false);
    } else {
        m_btnFlash->setEnabled(m_nAdapterCount != -1);
        m_btnConfig->setEnabled(true);
    }
}

// Every setting of the path raises the change notification, also when the text stays the same.
void CFlashDlg::SetPathText(const QString& path) {
    if (m_editPath->text() == path) {
        OnChangePath();
    } else {
        m_editPath->setText(path);
    }
}

void CFlashDlg::OnDestroy() {
    if (!m_windowExists) return;
    m_windowExists = false;
    g_imageBuffer.reset();
    platform::DeleteTempFile(g_tempImagePath);
    DisarmTempFileGuard();
    g_tempImagePath.clear();
}

void CFlashDlg::OnOK() {}

void CFlashDlg::OnCancel() { QDialog::reject(); }

void CFlashDlg::accept() { OnOK(); }

void CFlashDlg::reject() {
    if (!m_running) OnCancel();
}

void CFlashDlg::done(int result) {
    QDialog::done(result);
    OnDestroy();
}

void CFlashDlg::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    Qt::KeyboardModifiers modifiers = event->modifiers();
    modifiers.setFlag(Qt::KeypadModifier, false);
    if (!enter || modifiers != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
    } else {
        accept();
    }
}

void CFlashDlg::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

namespace {

QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
    const QUrl& url = data->urls().first();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void CFlashDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_running && !DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CFlashDlg::dropEvent(QDropEvent* event) {
    QString path = DroppedFile(event->mimeData());
    if (m_running || path.isEmpty()) return;
    event->acceptProposedAction();
    m_strPath = path;
    SetPathText(m_strPath);
}

}  // namespace tarvex
