// What the Win32 windows do natively beyond the shared window logic: the main window's icon for
// dragging, the system menu's About command, a window kept drawn but deaf during a run, a
// progress bar given only changes, and the configuration dialog's fixed-pitch face.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "flash/event_channel.h"
#include "ui/config_dlg.h"
#include "ui/flash_dlg.h"
#include "ui/flash_progress_sink.h"
#include "ui/templates/control_ids.h"
#include "ui/win32/fixed_pitch_face.h"
#include "ui/window_state.h"

namespace tarvex {
namespace {

HWND WindowOf(CFlashDlg& dialog) { return static_cast<HWND>(dialog.Surface().NativeWindow()); }

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int WindowsOfThisThread() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(Win32Window, CarriesTheApplicationIconAlsoForDragging) {
    CFlashDlg dialog;
    HWND window = WindowOf(dialog);
    const HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(128));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(window, WM_QUERYDRAGICON, 0, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0)), icon);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0)), icon);
}

// The resources hold no About text, so the entry never reaches the system menu, and the About
// box, having no template, never shows.
TEST(Win32Window, TheAboutCommandOpensNothingAndTheSystemMenuHasNoEntryForIt) {
    CFlashDlg dialog;
    HWND window = WindowOf(dialog);
    dialog.Surface().Show();
    HMENU menu = ::GetSystemMenu(window, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(::GetMenuState(menu, 0x0010, MF_BYCOMMAND), static_cast<UINT>(-1));
    const int before = WindowsOfThisThread();
    ::SendMessageW(window, WM_SYSCOMMAND, 0x0010, 0);
    EXPECT_EQ(WindowsOfThisThread(), before);
    EXPECT_TRUE(dialog.Surface().IsShown());
}

TEST(Win32Window, ARepaintDrawsTheWindowAndLeavesKeysAndClicksForLater) {
    CFlashDlg dialog;
    HWND window = WindowOf(dialog);
    dialog.Surface().Show();
    ::InvalidateRect(window, nullptr, TRUE);
    ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    HWND exitButton = ::GetDlgItem(window, IdcExit);
    ::PostMessageW(exitButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::PostMessageW(exitButton, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    dialog.Surface().Repaint();
    RECT stillToPaint{};
    EXPECT_FALSE(::GetUpdateRect(window, &stillToPaint, FALSE));
    EXPECT_TRUE(dialog.Surface().IsShown());
    MSG waiting;
    EXPECT_TRUE(::PeekMessageW(&waiting, nullptr, WM_KEYFIRST, WM_MOUSELAST, PM_NOREMOVE));
}

// The bar redraws on each position it is given, and the engine reports every byte: only the
// changes of percentage may reach it, or a flash spends seconds drawing.
WNDPROC g_barProcedure = nullptr;
int g_positionsGiven = 0;

LRESULT CALLBACK CountingBar(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS) ++g_positionsGiven;
    return ::CallWindowProcW(g_barProcedure, bar, message, wParam, lParam);
}

TEST(Win32Window, TheProgressBarIsGivenOnlyChangesOfPercentage) {
    CFlashDlg dialog;
    dialog.Surface().Show();
    g_progress.Attach(DialogItem(&dialog.Surface(), IdcProgress));
    g_progress.SetRange(0, 100);
    HWND bar = ::GetDlgItem(WindowOf(dialog), IdcProgress);
    g_barProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingBar)));
    g_positionsGiven = 0;
    const int bytes = 4096;
    for (int i = 0; i < bytes; ++i)
        FlashProgressSink(EventFlashProgress, (i + 1) * 100 / bytes, "");
    FlashProgressSink(EventFlashDone, 0, "");
    ::SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_barProcedure));
    g_progress.Detach();
    EXPECT_EQ(g_positionsGiven, 100);
    EXPECT_EQ(::SendMessageW(bar, PBM_GETPOS, 0, 0), 100);
}

// Where "Courier New" is missing (Wine enumerates it by name all the same), the configuration
// dialog falls back to a fixed-pitch face that the machine has.
TEST(Win32Window, TheConfigurationDialogIsDrawnInAFixedPitchFace) {
    CConfigDlg dialog;
    HWND window = static_cast<HWND>(dialog.Surface().NativeWindow());
    auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    const DrawnFace drawn = FaceOf(font);
    EXPECT_EQ(drawn.name, InstalledFixedPitchFace());
    EXPECT_TRUE(drawn.fixedPitch) << drawn.name;
}

}  // namespace
}  // namespace tarvex
