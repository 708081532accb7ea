#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::testing {

// Events of the recording sink, in the order they were posted.
struct RecordedEvent {
    uint32_t code;
    int32_t value;
    std::string text;
};

inline std::vector<RecordedEvent>& RecordedEvents() {
    static std::vector<RecordedEvent> events;
    return events;
}

// The event sink the tests install.
inline void RecordEvent(uint32_t code, int32_t value, const char* text) {
    RecordedEvents().push_back({code, value, text != nullptr ? text : ""});
}

// Texts of the recorded events with this code; texts of all events that carry one.
inline std::vector<std::string> TextsOf(uint32_t code) {
    std::vector<std::string> texts;
    for (const RecordedEvent& event : RecordedEvents())
        if (event.code == code) texts.push_back(event.text);
    return texts;
}
inline std::vector<std::string> EventTexts() {
    std::vector<std::string> texts;
    for (const RecordedEvent& event : RecordedEvents())
        if (!event.text.empty()) texts.push_back(event.text);
    return texts;
}
inline std::vector<int32_t> ValuesOf(uint32_t code) {
    std::vector<int32_t> values;
    for (const RecordedEvent& event : RecordedEvents())
        if (event.code == code) values.push_back(event.value);
    return values;
}

}  // namespace tarvex::testing
