// The windows' tests on Windows: the common controls' classes first, as the program does.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                 ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    return RUN_ALL_TESTS();
}
