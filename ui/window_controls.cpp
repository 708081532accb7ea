#include "ui/window_controls.h"

namespace tarvex {

namespace {

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

std::string ReadableStatusText(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsLineBreak(text[begin])) ++begin;
    while (end > begin && IsLineBreak(text[end - 1])) --end;
    std::string shown;
    for (size_t i = begin; i < end; ++i) {
        if (!IsLineBreak(text[i])) {
            shown += text[i];
        } else if (!IsLineBreak(text[i - 1])) {
            shown += ' ';
        }
    }
    return shown;
}

void StatusControl::Attach(const DialogItem& item) {
    m_item = item;
    m_text = item.IsBound() ? item.GetWindowText() : std::string();
}

void StatusControl::SetWindowText(const std::string& text) {
    m_text = text;
    if (m_item.IsBound()) m_item.SetWindowText(ReadableStatusText(text));
    if (m_listener) m_listener(text);
}

std::string StatusControl::ShownText() const {
    return m_item.IsBound() ? m_item.GetWindowText() : std::string();
}

void ProgressControl::Attach(const DialogItem& item) {
    m_item = item;
    m_position = item.IsBound() ? item.Surface()->ProgressPos(item.Id()) : 0;
}

void ProgressControl::SetRange(int lower, int upper) {
    if (!m_item.IsBound()) return;
    m_item.Surface()->SetProgressRange(m_item.Id(), lower, upper);
    // A new range may clamp the bar.
    m_position = m_item.Surface()->ProgressPos(m_item.Id());
}

// The engine reports every byte, and a bar may redraw on each position it is given (Win32's
// does), so only changes reach it.
void ProgressControl::SetPos(int position) {
    if (position == m_position) return;
    m_position = position;
    if (m_item.IsBound()) m_item.Surface()->SetProgressPos(m_item.Id(), position);
}

int ProgressControl::Upper() const {
    return m_item.IsBound() ? m_item.Surface()->ProgressUpper(m_item.Id()) : -1;
}

}  // namespace tarvex
