// tarvex-flash: the window of the flash utility. It takes no options of its own; Qt's own
// (such as -platform) are taken by QApplication.
#include <QApplication>

#include "ui/flash_app.h"

tarvex::CFlashApp theApp;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    theApp.InitInstance();
    return 0;
}
