// tarvex-flash: the window of the flash utility. It takes no options of its own beyond --help
// and --version; Qt's own (such as -platform) are taken by QApplication.
#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "ui/flash_app.h"

tarvex::CFlashApp theApp;

namespace {

constexpr int ExitNoDisplay = 69;

// Answers --help and --version without a display; true when one was asked.
bool AnswerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "tarvex-flash " TARVEX_VERSION "\n";
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::cout << "Usage: tarvex-flash [Qt options]\n"
                         "Opens the Tarvex Flash Utility's window: flash, back up and configure "
                         "adapter BIOS images.\nThe command line's tarvex-flash-cli does the same "
                         "without a window.\n";
            return true;
        }
    }
    return false;
}

// Qt aborts when no display can be reached; say so instead, unless a platform is chosen.
bool DisplayReachable(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) return true;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
    if (AnswerInformationOptions(argc, argv)) return 0;
    if (!DisplayReachable(argc, argv)) {
        std::cerr << "tarvex-flash: no display found (DISPLAY and WAYLAND_DISPLAY are not set). "
                     "Run it on a desktop, or use tarvex-flash-cli.\n";
        return ExitNoDisplay;
    }
    QApplication application(argc, argv);
    theApp.InitInstance();
    return 0;
}
