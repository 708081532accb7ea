#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/templates/dialog_template.h"

namespace tarvex {

// What a control tells its dialog.
enum class Notification { Clicked, TextChanged, SelectionChanged };

// The window logic's side of a dialog: the toolkit calls these as the dialog manager calls a
// dialog's handlers.
class DialogEvents {
public:
    virtual ~DialogEvents() = default;
    // A control's notification; the buttons with the ids of OK (1) and Cancel (2) come as
    // OnOK and OnCancel instead.
    virtual void OnCommand(int id, Notification notification) = 0;
    // Enter where no button takes it, and the OK button.
    virtual void OnOK() = 0;
    // Escape, the Cancel button, and closing the window.
    virtual void OnCancel() = 0;
    // A file dropped on the window, where the dialog takes files.
    virtual void OnDropFile(const std::string& path) { (void)path; }
    // A command of the system menu (the low four bits masked off).
    virtual void OnSysCommand(uint32_t command) { (void)command; }
    // The window goes away with the session or the application, outside the dialog's own end.
    virtual void OnDestroy() {}
};

// A dialog made from a template, as the window logic sees it: its controls by id, as a dialog
// finds its items. Qt (ui/qt) and Win32 (ui/win32) implement it; texts are 8-bit, as the
// templates' and the file system's.
class DialogSurface {
public:
    virtual ~DialogSurface() = default;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;

    virtual std::string ItemText(int id) const = 0;
    // An edit raises its change notification only when its text changes.
    virtual void SetItemText(int id, const std::string& text) = 0;
    virtual bool IsItemEnabled(int id) const = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    virtual bool IsItemShown(int id) const = 0;
    virtual void ShowItem(int id, bool shown) = 0;
    // The name assistive tools give a control whose own text does not name it.
    virtual std::string AccessibleName(int id) const = 0;
    virtual void SetAccessibleName(int id, const std::string& name) = 0;

    // Combo boxes. A line carries a number of the caller's; a box whose template sorts keeps
    // its lines sorted as text without regard to case, a new line after equal ones.
    virtual int AddLine(int id, const std::string& text, uint32_t data = 0) = 0;
    virtual int LineCount(int id) const = 0;
    virtual std::string LineText(int id, int line) const = 0;
    virtual uint32_t LineData(int id, int line) const = 0;
    virtual int Selection(int id) const = 0;  // -1 when no line is selected
    // Selects without a notification, as a program's selection does.
    virtual void SetSelection(int id, int line) = 0;

    virtual void SetProgressRange(int id, int lower, int upper) = 0;
    virtual void SetProgressPos(int id, int position) = 0;
    virtual int ProgressPos(int id) const = 0;
    virtual int ProgressUpper(int id) const = 0;

    // Focus on the first control that takes it, as a dialog does when its start-up leaves the
    // focus to the system.
    virtual void FocusFirstControl() = 0;
    virtual void FocusItem(int id) = 0;
    // Shows the window without a modal run of its own (tests, screenshots).
    virtual void Show() = 0;
    virtual bool IsShown() const = 0;
    // Lets files be dropped on the window (OnDropFile).
    virtual void AcceptDroppedFiles(bool accept) = 0;
    // Shows the window and runs it modally until EndDialog; returns the result. While a
    // modal hook is installed (tests), the hook runs first.
    virtual int RunModal() = 0;
    virtual void EndDialog(int result) = 0;
    virtual bool IsRunning() const = 0;
    // What EndDialog was given; 0 before.
    virtual int Result() const = 0;
    // Asks the window to close after the current notification has been handled.
    virtual void PostClose() = 0;
    // Paints what changed now, taking no user input: a long operation keeps the window drawn.
    virtual void Repaint() = 0;
    // The toolkit's window (a QWidget or an HWND), for message boxes and file dialogs.
    virtual void* NativeWindow() const = 0;

    // What a user does, done the toolkit's own way (tests and the screenshot tool).
    virtual void Click(int id) = 0;
    virtual void TypeText(int id, const std::string& text) = 0;
    virtual void ChooseLine(int id, int line) = 0;
    virtual void PressEnter() = 0;
    virtual void PressEscape() = 0;
    virtual void CloseWindow() = 0;
    virtual void DropFile(const std::string& path) = 0;
    // Handles what was posted to the window meanwhile, as its message loop would.
    virtual void ProcessPendingMessages() = 0;
};

// Made by the toolkit: the dialog's window with the template's controls, not yet shown.
std::unique_ptr<DialogSurface> CreateDialogSurface(const DialogTemplate& dialog,
                                                   DialogEvents& events, DialogSurface* owner);

// Called with every dialog as it starts a modal run, before it takes input (tests answer
// dialogs through it); null removes it.
using ModalHook = std::function<void(DialogSurface& dialog)>;
void SetModalHook(ModalHook hook);
const ModalHook& CurrentModalHook();

}  // namespace tarvex
