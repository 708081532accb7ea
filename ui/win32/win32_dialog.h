#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/dialog_surface.h"

namespace tarvex {

// A dialog template as a Win32 dialog: built in memory from the template, created modeless by
// the dialog manager and run by a modal loop of its own (as the dialog framework does), its
// notifications passed on to the window logic.
class Win32Dialog final : public DialogSurface {
public:
    Win32Dialog(const DialogTemplate& dialog, DialogEvents& events, HWND owner);
    ~Win32Dialog() override;
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    HWND Window() const { return m_window; }
    HWND Item(int id) const { return ::GetDlgItem(m_window, id); }

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
    void Show() override;
    bool IsShown() const override;
    void AcceptDroppedFiles(bool accept) override;
    int RunModal() override;
    void EndDialog(int result) override;
    bool IsRunning() const override { return m_running; }
    int Result() const override { return m_result; }
    void PostClose() override;
    void Repaint() override;
    void* NativeWindow() const override { return m_window; }

    void Click(int id) override;
    void TypeText(int id, const std::string& text) override;
    void ChooseLine(int id, int line) override;
    void PressEnter() override;
    void PressEscape() override;
    void CloseWindow() override;
    void DropFile(const std::string& path) override;
    void ProcessPendingMessages() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommandMessage(WPARAM wParam, LPARAM lParam);
    bool PaintMinimised();
    void PressKey(WPARAM key);

    const DialogTemplate& m_template;
    DialogEvents* m_events;  // null while the window goes away
    HWND m_window = nullptr;
    HICON m_icon = nullptr;
    std::map<int, std::string> m_accessibleNames;
    bool m_running = false;
    bool m_ended = false;
    int m_result = 0;
};

}  // namespace tarvex
