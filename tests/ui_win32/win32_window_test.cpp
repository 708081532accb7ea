// What the Win32 main window does natively beyond the shared window logic: its icon for
// dragging, the system menu's About command, and a window kept drawn but deaf during a run.
#include <gtest/gtest.h>
#include <windows.h>

#include "ui/flash_dlg.h"
#include "ui/templates/control_ids.h"
#include "ui/win32/win32_dialog.h"

namespace tarvex {
namespace {

HWND WindowOf(CFlashDlg& dialog) { return static_cast<HWND>(dialog.Surface().NativeWindow()); }

int WindowsOfThisThread() {
    int count = 0;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND, LPARAM counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
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

// Where "Courier New" is missing (Wine may offer a replacement under its name), the
// configuration rows fall back to a fixed-pitch face the machine has.
TEST(Win32Window, TheConfigurationRowsGetAFixedPitchFaceThatExists) {
    const std::string face = InstalledFixedPitchFace();
    HDC screen = ::GetDC(nullptr);
    HFONT font = ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, face.c_str());
    HGDIOBJ old = ::SelectObject(screen, font);
    char chosen[LF_FACESIZE] = {};
    ::GetTextFaceA(screen, sizeof chosen, chosen);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, old);
    ::DeleteObject(font);
    ::ReleaseDC(nullptr, screen);
    EXPECT_STRNE(chosen, "");
    // TMPF_FIXED_PITCH set means a variable pitch, as the system names it.
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << face << " as " << chosen;
}

}  // namespace
}  // namespace tarvex
