#pragma once
#include <gtest/gtest.h>

#include "flash/event_channel.h"
#include "flash/run_state.h"
#include "support/event_recorder.h"
#include "support/test_files.h"

namespace tarvex::testing {

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFlashRunState();
        RecordedEvents().clear();
    }
    TempDir m_dir;
};

}  // namespace tarvex::testing
