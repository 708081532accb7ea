#pragma once
#include <cstdint>

// Lets the compiler check LogEvent's arguments against its format where it can.
#if defined(__GNUC__)
#define TARVEX_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define TARVEX_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

namespace tarvex {

// The complete set of events the engine and the image operations post.
enum EventCode : uint32_t {
    EventText = 0,
    EventLoading = 1,
    EventErasing = 2,
    EventFlashing = 3,
    EventFlashProgress = 4,
    EventFlashDone = 5,
    EventVerifying = 6,
    EventVerifyProgress = 7,
    EventPassed = 8,
};

// Receives every event while installed. The text is never null (empty when the event has none)
// and valid only for the duration of the call.
using EventSink = void (*)(uint32_t code, int32_t value, const char* text);

// Size of the formatting buffer; longer texts are cut to EventTextCapacity - 1 characters.
inline constexpr int EventTextCapacity = 256;

// Posts one event to the installed sink, or writes its text and a newline to standard error
// when none is installed. A null format posts the empty text (and nothing on standard error).
void LogEvent(uint32_t code, int32_t value, const char* format, ...) TARVEX_PRINTF_FORMAT(3, 4);

// Replaces the current sink; null removes it.
void SetEventSink(EventSink sink);
EventSink CurrentEventSink();

}  // namespace tarvex
