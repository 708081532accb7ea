#include "ui/win32/win32_dialog.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "ui/templates/dialog_resource.h"
#include "ui/win32/fixed_pitch_face.h"

namespace tarvex {

namespace {

constexpr int IconResource = 128;
constexpr UINT_PTR IdmAboutBox = 0x0010;

// The template without its visible style: the window shows when it runs, or when asked.
DialogTemplate Hidden(const DialogTemplate& dialog) {
    DialogTemplate hidden = dialog;
    hidden.style &= ~static_cast<uint32_t>(DialogVisible);
    return hidden;
}

std::string WindowText(HWND window) {
    if (window == nullptr) return {};
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace

Win32Dialog::Win32Dialog(const DialogTemplate& dialog, DialogEvents& events, HWND owner)
    : m_template(dialog), m_events(&events) {
    const std::vector<uint8_t> resource = EncodeDialogResource(
        Hidden(dialog), dialog.fixedPitchFont ? InstalledFixedPitchFace() : std::string());
    m_window = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                            reinterpret_cast<LPCDLGTEMPLATEW>(resource.data()),
                                            owner, DialogProc, reinterpret_cast<LPARAM>(this));
}

Win32Dialog::~Win32Dialog() {
    m_events = nullptr;
    if (m_window != nullptr) ::DestroyWindow(m_window);
}

INT_PTR CALLBACK Win32Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* dialog = reinterpret_cast<Win32Dialog*>(lParam);
        dialog->m_window = window;
        dialog->OnInitDialog();
        return FALSE;  // the window logic sets the focus when it starts
    }
    auto* dialog = reinterpret_cast<Win32Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    return dialog != nullptr ? dialog->Handle(message, wParam, lParam) : FALSE;
}

// The application icon in both sizes, and the combo boxes' lines of the template.
void Win32Dialog::OnInitDialog() {
    m_icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IconResource));
    if (m_icon != nullptr) {
        ::SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
        ::SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    }
    for (const ComboBoxData& data : m_template.initialData)
        for (const char* line : data.lines)
            ::SendDlgItemMessageA(m_window, data.id, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(line));
}

INT_PTR Win32Dialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_events == nullptr) return FALSE;
    switch (message) {
    case WM_COMMAND:
        OnCommandMessage(wParam, lParam);
        return TRUE;
    case WM_CLOSE:
        m_events->OnCancel();
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IdmAboutBox) return FALSE;
        m_events->OnSysCommand(IdmAboutBox);
        return TRUE;
    case WM_PAINT:
        return PaintMinimised() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_icon);
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(wParam);
        char path[MAX_PATH] = {};
        const UINT length = ::DragQueryFileA(drop, 0, path, sizeof path);
        ::DragFinish(drop);
        if (length > 0 && length < sizeof path) m_events->OnDropFile(path);
        return TRUE;
    }
    case WM_ENDSESSION:
        if (wParam) m_events->OnDestroy();
        return TRUE;
    default:
        return FALSE;
    }
}

// OK and Cancel (and Enter and Escape, which the dialog manager turns into them) end in the
// logic's OnOK and OnCancel; the other controls' notifications by kind.
void Win32Dialog::OnCommandMessage(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDOK) {
        m_events->OnOK();
    } else if (id == IDCANCEL) {
        m_events->OnCancel();
    } else if (lParam == 0) {
        return;  // menus and accelerators: the dialogs have none
    } else if (code == BN_CLICKED) {
        m_events->OnCommand(id, Notification::Clicked);
    } else if (code == EN_CHANGE) {
        m_events->OnCommand(id, Notification::TextChanged);
    } else if (code == CBN_SELCHANGE) {
        m_events->OnCommand(id, Notification::SelectionChanged);
    }
}

// Minimised, the window shows its icon centred in the client area.
bool Win32Dialog::PaintMinimised() {
    if (!::IsIconic(m_window)) return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_window, &paint);
    ::SendMessageW(m_window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(m_window, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (m_icon != nullptr) ::DrawIcon(dc, x, y, m_icon);
    ::EndPaint(m_window, &paint);
    return true;
}

std::string Win32Dialog::Caption() const { return WindowText(m_window); }

void Win32Dialog::SetCaption(const std::string& caption) {
    ::SetWindowTextA(m_window, caption.c_str());
}

std::string Win32Dialog::ItemText(int id) const {
    HWND item = Item(id);
    char className[16] = {};
    ::GetClassNameA(item, className, sizeof className);
    if (_stricmp(className, "ComboBox") == 0) {
        const int line = Selection(id);
        return line >= 0 ? LineText(id, line) : std::string();
    }
    return WindowText(item);
}

// The edit's change notification follows only a change, as with the other toolkit.
void Win32Dialog::SetItemText(int id, const std::string& text) {
    if (ItemText(id) != text) ::SetDlgItemTextA(m_window, id, text.c_str());
}

bool Win32Dialog::IsItemEnabled(int id) const {
    HWND item = Item(id);
    return item != nullptr && ::IsWindowEnabled(item);
}

void Win32Dialog::EnableItem(int id, bool enabled) {
    if (HWND item = Item(id)) ::EnableWindow(item, enabled ? TRUE : FALSE);
}

// Shown within the dialog, whether the dialog itself shows yet or not.
bool Win32Dialog::IsItemShown(int id) const {
    HWND item = Item(id);
    return item != nullptr && (::GetWindowLongW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Dialog::ShowItem(int id, bool shown) {
    if (HWND item = Item(id)) ::ShowWindow(item, shown ? SW_SHOW : SW_HIDE);
}

// Kept for the window's own use; Windows' assistive tools name a control by the label before
// it in the template, which every row and field of these dialogs has.
std::string Win32Dialog::AccessibleName(int id) const {
    if (auto found = m_accessibleNames.find(id); found != m_accessibleNames.end())
        return found->second;
    for (const ControlTemplate& control : m_template.controls)
        if (control.id == id && control.accessibleName) return control.accessibleName;
    std::string text = WindowText(Item(id));
    std::erase(text, '&');
    return text;
}

void Win32Dialog::SetAccessibleName(int id, const std::string& name) {
    m_accessibleNames[id] = name;
}

int Win32Dialog::AddLine(int id, const std::string& text, uint32_t data) {
    const auto line = static_cast<int>(::SendDlgItemMessageA(
        m_window, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (line >= 0) ::SendDlgItemMessageA(m_window, id, CB_SETITEMDATA, line, data);
    return line;
}

int Win32Dialog::LineCount(int id) const {
    const auto count = static_cast<int>(::SendDlgItemMessageA(m_window, id, CB_GETCOUNT, 0, 0));
    return count > 0 ? count : 0;
}

std::string Win32Dialog::LineText(int id, int line) const {
    const auto length =
        static_cast<int>(::SendDlgItemMessageA(m_window, id, CB_GETLBTEXTLEN, line, 0));
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::SendDlgItemMessageA(m_window, id, CB_GETLBTEXT, line, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

uint32_t Win32Dialog::LineData(int id, int line) const {
    return static_cast<uint32_t>(::SendDlgItemMessageA(m_window, id, CB_GETITEMDATA, line, 0));
}

int Win32Dialog::Selection(int id) const {
    const auto line = static_cast<int>(::SendDlgItemMessageA(m_window, id, CB_GETCURSEL, 0, 0));
    return line >= 0 ? line : -1;
}

void Win32Dialog::SetSelection(int id, int line) {
    ::SendDlgItemMessageA(m_window, id, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

void Win32Dialog::SetProgressRange(int id, int lower, int upper) {
    ::SendDlgItemMessageW(m_window, id, PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void Win32Dialog::SetProgressPos(int id, int position) {
    ::SendDlgItemMessageW(m_window, id, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int Win32Dialog::ProgressPos(int id) const {
    return static_cast<int>(::SendDlgItemMessageW(m_window, id, PBM_GETPOS, 0, 0));
}

int Win32Dialog::ProgressUpper(int id) const {
    return Item(id) != nullptr
               ? static_cast<int>(::SendDlgItemMessageW(m_window, id, PBM_GETRANGE, FALSE, 0))
               : -1;
}

void Win32Dialog::FocusFirstControl() {
    if (HWND first = ::GetNextDlgTabItem(m_window, nullptr, FALSE)) ::SetFocus(first);
}

// Through the dialog manager, which also makes a focused push button the one Enter presses.
void Win32Dialog::FocusItem(int id) {
    if (HWND item = Item(id))
        ::SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

void Win32Dialog::Show() {
    ::ShowWindow(m_window, SW_SHOW);
    ::UpdateWindow(m_window);
}

bool Win32Dialog::IsShown() const { return ::IsWindowVisible(m_window) != FALSE; }

void Win32Dialog::AcceptDroppedFiles(bool accept) { ::DragAcceptFiles(m_window, accept); }

// The dialog framework's modal run: the owner is disabled, the dialog manager takes the keys,
// and the loop ends with EndDialog.
int Win32Dialog::RunModal() {
    HWND owner = ::GetWindow(m_window, GW_OWNER);
    if (owner != nullptr) ::EnableWindow(owner, FALSE);
    m_running = true;
    m_ended = false;
    Show();
    if (const ModalHook& hook = CurrentModalHook()) hook(*this);
    MSG message;
    while (!m_ended) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!::IsDialogMessageW(m_window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    m_running = false;
    if (owner != nullptr) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
    return m_result;
}

void Win32Dialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    m_running = false;
    ::ShowWindow(m_window, SW_HIDE);
    ::PostMessageW(m_window, WM_NULL, 0, 0);  // wakes the modal loop
}

void Win32Dialog::PostClose() { ::PostMessageW(m_window, WM_CLOSE, 0, 0); }

// Paints what changed; keys and clicks wait until the operation has ended.
void Win32Dialog::Repaint() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageW(&message);
    ::UpdateWindow(m_window);
}

void Win32Dialog::Click(int id) {
    HWND item = Item(id);
    if (item != nullptr && ::IsWindowEnabled(item))
        ::SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(item));
}

void Win32Dialog::TypeText(int id, const std::string& text) {
    ::SetDlgItemTextA(m_window, id, text.c_str());
}

void Win32Dialog::ChooseLine(int id, int line) {
    SetSelection(id, line);
    ::SendMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(id)));
}

// A key as the dialog manager gets it from the message loop.
void Win32Dialog::PressKey(WPARAM key) {
    HWND focus = ::GetFocus();
    MSG message{focus != nullptr ? focus : m_window, WM_KEYDOWN, key, 0, 0, {0, 0}};
    ::IsDialogMessageW(m_window, &message);
}

void Win32Dialog::PressEnter() { PressKey(VK_RETURN); }

void Win32Dialog::PressEscape() { PressKey(VK_ESCAPE); }

void Win32Dialog::CloseWindow() { ::SendMessageW(m_window, WM_CLOSE, 0, 0); }

// The shell's drop: a DROPFILES block with one path, as Explorer hands it over.
void Win32Dialog::DropFile(const std::string& path) {
    const size_t size = sizeof(DROPFILES) + path.size() + 2;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    if (memory == nullptr) return;
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(), path.size());
    ::GlobalUnlock(memory);
    if ((::GetWindowLongW(m_window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0) {
        ::GlobalFree(memory);
        return;
    }
    ::SendMessageW(m_window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void Win32Dialog::ProcessPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!::IsDialogMessageW(m_window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

std::unique_ptr<DialogSurface> CreateDialogSurface(const DialogTemplate& dialog,
                                                   DialogEvents& events, DialogSurface* owner) {
    HWND parent = owner ? static_cast<HWND>(owner->NativeWindow()) : nullptr;
    return std::make_unique<Win32Dialog>(dialog, events, parent);
}

}  // namespace tarvex
