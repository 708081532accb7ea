#pragma once

namespace tarvex {

// Controls of the main window (template 102).
inline constexpr int IdcPath = 1000;
inline constexpr int IdcOpen = 1001;
inline constexpr int IdcFlash = 1002;
inline constexpr int IdcExit = 1003;
inline constexpr int IdcProgress = 1004;
inline constexpr int IdcBackup = 1005;
inline constexpr int IdcConfig = 1006;
inline constexpr int IdcController = 1017;
inline constexpr int IdcControllerLabel = 1019;
inline constexpr int IdcStatus = 1020;

// Buttons of the configuration dialog (template 129).
inline constexpr int IdcOk = 1;
inline constexpr int IdcCancel = 2;

// The configuration dialog's nine rows: label, choice box and number box of row k.
inline constexpr int ConfigRowCount = 9;
inline constexpr int ConfigRowLabelIds[ConfigRowCount] = {1024, 1025, 1026, 1027, 1028,
                                                          1029, 1030, 1031, 1032};
inline constexpr int ConfigRowChoiceIds[ConfigRowCount] = {1017, 1034, 1035, 1018, 1019,
                                                           1020, 1021, 1022, 1023};
inline constexpr int ConfigRowNumberIds[ConfigRowCount] = {1000, 1036, 1001, 1002, 1003,
                                                           1004, 1005, 1006, 1007};

}  // namespace tarvex
