#pragma once

namespace tarvex::cli {

// Exit statuses beyond the operations' own status codes (0 to 14).
inline constexpr int ExitOk = 0;
inline constexpr int ExitUsage = 64;        // the command line is wrong
inline constexpr int ExitBadImage = 65;     // the input is not a usable image, or a value is rejected
inline constexpr int ExitUnavailable = 69;  // no driver, no adapter
inline constexpr int ExitFileError = 74;    // a file could not be read or written
inline constexpr int ExitBusy = 75;         // an operation is running elsewhere (EX_TEMPFAIL)
inline constexpr int ExitDeclined = 77;     // the user did not confirm the flash

}  // namespace tarvex::cli
