#pragma once
#include <QCoreApplication>
#include <QDialog>
#include <map>
#include <string>

#include "ui/dialog_surface.h"
#include "ui/qt/template_builder.h"

namespace tarvex {

// A dialog template as a Qt dialog: the controls the template builder made, the dialog
// manager's keys (Enter, Escape, the close box) and the controls' notifications passed on to
// the window logic.
class QtDialog final : public QDialog, public DialogSurface {
public:
    QtDialog(const DialogTemplate& dialog, DialogEvents& events, QWidget* parent);

    QWidget* Control(int id) const { return m_controls.Control(id); }
    const DialogControls& Controls() const { return m_controls; }

    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    std::string ItemText(int id) const override;
    void SetItemText(int id, const std::string& text) override;
    bool IsItemEnabled(int id) const override;
    void EnableItem(int id, bool enabled) override;
    bool IsItemShown(int id) const override;
    void ShowItem(int id, bool shown) override;
    std::string AccessibleName(int id) const override;
    void SetAccessibleName(int id, const std::string& name) override;
    int AddLine(int id, const std::string& text, uint32_t data) override;
    int LineCount(int id) const override;
    std::string LineText(int id, int line) const override;
    uint32_t LineData(int id, int line) const override;
    int Selection(int id) const override;
    void SetSelection(int id, int line) override;
    void SetProgressRange(int id, int lower, int upper) override;
    void SetProgressPos(int id, int position) override;
    int ProgressPos(int id) const override;
    int ProgressUpper(int id) const override;
    void FocusFirstControl() override;
    void FocusItem(int id) override;
    void Show() override { show(); }
    bool IsShown() const override { return isVisible(); }
    void AcceptDroppedFiles(bool accept) override;
    int RunModal() override;
    void EndDialog(int result) override;
    bool IsRunning() const override { return m_running; }
    int Result() const override { return result(); }
    void PostClose() override;
    void Repaint() override;
    void* NativeWindow() const override {
        return static_cast<QWidget*>(const_cast<QtDialog*>(this));
    }

    void Click(int id) override;
    void TypeText(int id, const std::string& text) override;
    void ChooseLine(int id, int line) override;
    void PressEnter() override;
    void PressEscape() override;
    void CloseWindow() override;
    void DropFile(const std::string& path) override;
    void ProcessPendingMessages() override { QCoreApplication::processEvents(); }

    // The dialog's end goes through the window logic.
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void ConnectNotifications();
    void ButtonClicked(int id);

    DialogEvents& m_events;
    DialogControls m_controls;
    bool m_running = false;
};

// Text between the file system's 8-bit names and Qt's.
QString FromNative(const std::string& text);
std::string ToNative(const QString& text);

}  // namespace tarvex
