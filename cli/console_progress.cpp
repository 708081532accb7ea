#include "cli/console_progress.h"

#include <cstdio>
#include <iostream>
#include <string_view>

#include "flash/event_channel.h"

namespace tarvex::cli {

namespace {

constexpr int32_t PlainStep = 10;

struct ConsoleProgress {
    std::ostream* stream = &std::cerr;
    bool terminal = false;
    uint32_t phase = 0;      // the progress code of the current phase, 0 before any
    int32_t lastShown = -1;  // the last value shown (terminal) or its step (plain)
    bool lineOpen = false;   // a redrawn line waits for its newline
};

ConsoleProgress g_console;

void CloseLine() {
    if (g_console.lineOpen) *g_console.stream << '\n' << std::flush;
    g_console.lineOpen = false;
}

std::string_view TrimLineBreaks(std::string_view text) {
    while (!text.empty() && (text.front() == '\n' || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

void ShowText(const char* text) {
    const std::string_view line = TrimLineBreaks(text);
    if (line.empty()) return;
    CloseLine();
    *g_console.stream << line << '\n';
}

void ShowProgress(uint32_t code, int32_t value) {
    const char* label = code == EventFlashProgress ? "Flashing" : "Verifying";
    if (code != g_console.phase) {
        CloseLine();
        g_console.phase = code;
        g_console.lastShown = -1;
    }
    const int32_t shown = g_console.terminal ? value : value / PlainStep;
    if (shown <= g_console.lastShown) return;
    g_console.lastShown = shown;
    char line[48];
    if (g_console.terminal) {
        std::snprintf(line, sizeof line, "\r%s %3d%%", label, static_cast<int>(value));
        *g_console.stream << line << std::flush;
        g_console.lineOpen = true;
    } else {
        std::snprintf(line, sizeof line, "%s %d%%\n", label, static_cast<int>(value));
        *g_console.stream << line;
    }
}

}  // namespace

void BeginConsoleProgress(std::ostream& stream, bool terminal) {
    ResetConsoleProgress();
    g_console.stream = &stream;
    g_console.terminal = terminal;
}

void EndConsoleProgress() {
    CloseLine();
    g_console.stream->flush();
    g_console = ConsoleProgress{};
}

void ConsoleProgressSink(uint32_t code, int32_t value, const char* text) {
    if (code == EventFlashProgress || code == EventVerifyProgress) {
        ShowProgress(code, value);
        return;
    }
    // A new phase starts its progress afresh, also when it repeats.
    if (code == EventFlashing || code == EventVerifying) g_console.phase = 0;
    if (text != nullptr) ShowText(text);
}

void ResetConsoleProgress() { g_console = ConsoleProgress{}; }

}  // namespace tarvex::cli
