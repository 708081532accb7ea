#pragma once
#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <cstdint>

#include "driver/transport.h"
#include "flash/flash_status.h"
#include "ui/data_exchange.h"
#include "ui/template_builder.h"

namespace tarvex {

// The oldest driver interface the window works with.
inline constexpr uint32_t MinimumInterfaceVersion = 0x01000000;

// The main window (template 102): adapter list, image path, Open, Config, Flash!, Backup and
// Exit, the progress bar and the status line.
class CFlashDlg : public QDialog {
public:
    explicit CFlashDlg(QWidget* parent = nullptr);
    ~CFlashDlg() override;

    // Initialises the dialog and runs it modally until it ends.
    // The dialog ends through these, as through QDialog's.
    void accept() override;
    void reject() override;
    void done(int result) override;

    int DoModal();
    // The initialisation of a modal run, focus included; false when the process was ended.
    bool InitDialog();
    virtual bool OnInitDialog();

    QWidget* Control(int id) const { return m_controls.Control(id); }

    void OnSelchangeController();
    void OnChangePath();
    void OnOpen();
    void OnFlash();
    void OnBackup();
    void OnExit();
    void OnConfig();
    void OnDestroy();

    QComboBox* m_cbController = nullptr;
    QPushButton* m_btnConfig = nullptr;
    QPushButton* m_btnBackup = nullptr;
    QPushButton* m_btnFlash = nullptr;
    QLineEdit* m_editPath = nullptr;
    QString m_strPath;
    int32_t m_nAdapterCount = -1;
    QIcon m_hIcon;

protected:
    virtual void DoDataExchange(DataExchange& dx);
    virtual void OnOK();
    virtual void OnCancel();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectMessageMap();
    void FillAdapterList();
    AdapterIndex SelectedAdapter() const;
    void SetPathText(const QString& path);
    void ShowOutcome(FlashStatus status);

    DialogControls m_controls;
    bool m_windowExists = false;  // initialised and not yet destroyed
    bool m_processEnded = false;  // the start-up ended the process (a test's exit hook returned)
    bool m_running = false;       // a flash or backup holds the window
    friend class RunningOperation;
};

// Path text as the file system names it.
std::string NativePath(const QString& path);

}  // namespace tarvex
