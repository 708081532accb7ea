// tarvex-flash.exe: the window of the flash utility.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "ui/flash_app.h"

tarvex::CFlashApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The progress bar's class, and the common controls' look of the manifest.
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    theApp.InitInstance();
    return 0;
}
