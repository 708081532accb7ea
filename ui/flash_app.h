#pragma once

namespace tarvex {

// The application object: runs the main window modally; the program ends when it closes.
class CFlashApp {
public:
    CFlashApp() = default;
    // Runs the main window; false, so that the application ends once the window has closed.
    bool InitInstance();
};

}  // namespace tarvex
