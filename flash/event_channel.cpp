#include "flash/event_channel.h"

#include <cstdarg>
#include <cstdio>

namespace tarvex {

namespace {
EventSink g_eventSink = nullptr;
}

void LogEvent(uint32_t code, int32_t value, const char* format, ...) {
    char text[EventTextCapacity] = "";
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        // vsnprintf always terminates inside the buffer, so an overlong text is cut short.
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
    }
    if (g_eventSink != nullptr) {
        g_eventSink(code, value, text);
        return;
    }
    if (format != nullptr) std::fprintf(stderr, "%s\n", text);
}

void SetEventSink(EventSink sink) { g_eventSink = sink; }

EventSink CurrentEventSink() { return g_eventSink; }

}  // namespace tarvex
