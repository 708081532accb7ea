#pragma once
#include <gtest/gtest.h>

#include "flash/event_channel.h"
#include "flash/run_state.h"
#include "image/test_files.h"

namespace tarvex::testing {

struct PostedEvent {
    uint32_t code;
    int32_t value;
    std::string text;
};

inline std::vector<PostedEvent>& Posted() {
    static std::vector<PostedEvent> events;
    return events;
}
inline void Record(uint32_t code, int32_t value, const char* text) {
    Posted().push_back({code, value, text});
}
// Texts of the events that carry one, in order.
inline std::vector<std::string> PostedTexts() {
    std::vector<std::string> texts;
    for (const PostedEvent& event : Posted())
        if (!event.text.empty()) texts.push_back(event.text);
    return texts;
}

inline std::vector<sim::TraceRecord> EpromTrace(const SimSession& session) {
    std::vector<sim::TraceRecord> eprom;
    for (const sim::TraceRecord& record : session.Requests())
        if (record.isEprom) eprom.push_back(record);
    return eprom;
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFlashRunState();
        Posted().clear();
    }
    void TearDown() override { ResetFlashRunState(); }
    TempDir m_dir;
};

}  // namespace tarvex::testing
