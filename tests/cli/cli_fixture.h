#pragma once
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "cli/console_progress.h"
#include "cli/flash_command.h"
#include "flash/run_state.h"
#include "flash/scan_guard.h"
#include "support/child_process.h"
#include "support/test_files.h"

namespace tarvex::testing {

// Runs a command in-process with its messages on standard error, captured whole so that texts
// of the event channel's fallback are seen in order too; the result as a child's would be.
template <typename Command>
ProgramResult RunCaptured(Command command) {
    std::ostringstream out;
    ::testing::internal::CaptureStderr();
    const int exit = command(out, std::cerr);
    return {exit, out.str(), ::testing::internal::GetCapturedStderr()};
}

// A flash of the image into adapter 0, without questions.
inline cli::FlashRequest FlashOf(const std::string& image) {
    cli::FlashRequest request;
    request.adapter = 0;
    request.image = image;
    return request;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        ResetFlashRunState();
        ForgetScanChanges();
        cli::ResetConsoleProgress();
    }
    TempDir m_dir;
};

}  // namespace tarvex::testing
